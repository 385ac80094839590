#pragma once

// The wide texts the shell shows, in one place.
inline constexpr wchar_t kLacksAdminText[] =
    L"本安装程序需要以管理员权限运行，请退出后重新以管理员权限运行。"
    L"（运行方式为：用鼠标右键点击安装程序，在弹出菜单中点击“以管理员身份运行”）";
inline constexpr wchar_t kRegisteredText[] = L"智能岚舟已安装成功，如不能使用，请重新启动计算机！";
inline constexpr wchar_t kTitle32[] = L"智能岚舟系统安装32";
inline constexpr wchar_t kTitle64[] = L"智能岚舟系统安装3264";
inline constexpr wchar_t kTitleTraditional[] = L"智能嵐舟系統安裝";
inline constexpr wchar_t kTextFontFace[] = L"宋体";
inline constexpr wchar_t kTitleFontFace[] = L"楷体";

// The uninstaller's questions and endings.
inline constexpr wchar_t kUninstallQuestion[] = L"确定要卸载智能岚舟输入平台吗？";
inline constexpr wchar_t kRemoveDataQuestion[] = L"是否同时删除你的词组等数据文件？";
inline constexpr wchar_t kUninstalledText[] = L"智能岚舟输入平台已卸载。";
inline constexpr wchar_t kUninstalledAfterRestartText[] =
    L"智能岚舟输入平台已卸载，请重新启动计算机以完成卸载！";
inline constexpr wchar_t kNotUninstalledText[] =
    L"智能岚舟输入平台没有完全卸载，请重新启动计算机后再次卸载！";
inline constexpr wchar_t kNothingInstalledText[] = L"没有找到已安装的智能岚舟输入平台。";
// The captions of the two painted buttons.
inline constexpr wchar_t kInstallButtonText[] = L"确 定 安 装";
inline constexpr wchar_t kFinishButtonText[] = L"确 定 退 出";
inline constexpr wchar_t kExitButtonText[] = L"放 弃 退 出";
