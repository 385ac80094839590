#pragma once

// Texts that name the product in messages of every subsystem.
inline constexpr wchar_t kProductCaption[] = L"智能岚舟";
inline constexpr wchar_t kWubiInstallCaption[] = L"智能岚舟(岚舟五笔)安装";
// Where a damaged installer is downloaded again.
inline constexpr wchar_t kHomePageAddress[] = L"http://www.lanzhu.example/";
