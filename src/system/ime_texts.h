#pragma once

// The texts of the IME's registration, in one place. Narrow ones are turned
// into GBK (Big5 for the traditional layout text) with ToNarrow.
inline constexpr wchar_t kImeDescription[] = L"智能岚舟输入平台  7.3";
inline constexpr wchar_t kImeDescriptionTraditional[] = L"智能嵐舟輸入平台  7.3";
// The IME's module as it is installed in the system directories.
inline constexpr char kImeModuleName[] = "lanzhu4.ime";
// What identifies this IME in a preload list's layout texts, always in GBK.
inline constexpr wchar_t kImeNameInPreload[] = L"智能岚舟输入";
inline constexpr wchar_t kNeedAdminText[] =
    L"在WIN2000和WIN NT系统中安装本软件时，需要以系统管理员身份才能安装成功！";
inline constexpr wchar_t kWubiCaption[] = L"智能岚舟(岚舟五笔)";

inline constexpr char kLayoutsOpenError9x[] = "Software open error1003";
inline constexpr char kLayoutCreateError9x[] = "Software open error1004";
inline constexpr char kPreloadOpenError[] = "Software open error2003";
