#pragma once

// Texts that name the product, shown or compared by every subsystem.
inline constexpr wchar_t kProductName[] = L"智能岚舟输入平台";
inline constexpr wchar_t kProductNameTraditional[] = L"智能嵐舟輸入平台";
inline constexpr wchar_t kProductCaption[] = L"智能岚舟";
inline constexpr wchar_t kInstallCaption[] = L"智能岚舟安装";
inline constexpr wchar_t kWubiInstallCaption[] = L"智能岚舟(岚舟五笔)安装";
inline constexpr wchar_t kPinyinEditionName[] = L"岚舟拼音";
inline constexpr wchar_t kWubiEditionName[] = L"岚舟五笔";
// Where a damaged installer is downloaded again.
inline constexpr wchar_t kHomePageAddress[] = L"http://www.lanzhu.example/";

// Whether a narrow text (an IME description, a layout text) starts with the
// product's name, its first 16 bytes in GBK, or in Big5 for `traditional`:
// this IME's, whatever version follows. The 16 bytes are compared as they
// are, a NUL among them included: `text` has room for 16 bytes.
bool StartsWithProductName(const char* text, bool traditional = false);
