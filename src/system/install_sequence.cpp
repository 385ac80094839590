#include "system/install_sequence.h"

#include <windows.h>

#include <cstdio>

#include "data/config_files.h"
#include "data/install_dir.h"
#include "payload/file_replace.h"
#include "payload/install_files.h"
#include "system/ime_registration.h"
#include "system/message_box.h"
#include "system/platform.h"
#include "system/preload_list.h"
#include "system/product_texts.h"
#include "system/run_result.h"
#include "system/setupw64_start.h"
#include "system/state.h"
#include "system/system_entries.h"

namespace {

constexpr wchar_t kOldModuleInUseText[] =
    L"\u3000\u3000你以前安装的岚舟五笔正在使用，请关闭使用岚舟五笔的所有窗口，"
    L"或者重新启动机器后，才能安装新版本的岚舟五笔！";
constexpr wchar_t kNot64BitText[] =
    L"没有成功为64位程序注册智能岚舟，在64位程序中将不能使用智能岚舟，请重新安装！";

// An earlier IME module that programs still hold cannot be replaced by this
// installation; it is freed by deleting it or moving it aside.
bool FreeOldModule() {
  char module[MAX_PATH];
  GetSystemDirectoryA(SharedDirBuffer, sizeof SharedDirBuffer);
  std::snprintf(module, sizeof module, "%s\\lanzhu4.ime", SharedDirBuffer);
  if (DeleteFileIfPresent(module) != -1 || RenameAside(module) != -1) {
    LogStep("the earlier IME's module %s is out of the way", module);
    return true;
  }
  NoteIncomplete("%s is in use and cannot be moved aside: nothing installed", module);
  return false;
}

void CreateInstallDirs() {
  CreateDirectoryA(InstallDir, nullptr);
  char filer[MAX_PATH];
  std::snprintf(filer, sizeof filer, "%sfiler\\", InstallDir);
  CreateDirectoryA(filer, nullptr);
  LogStep("installation directory %s", InstallDir);
}

}  // namespace

void RunInstall(const char* chosenDir) {
  if (chosenDir == nullptr) {
    ResolveInstallDir();
  } else {
    SetInstallDir(chosenDir);
  }
  if (!PersistInstallDir()) NoteIncomplete("the installation directory is not recorded");
  CreateInstallDirs();
  if (WriteConfigFiles()) {
    LogStep("wbpybz.lzh and lznetsj.dat written");
  } else {
    NoteIncomplete("wbpybz.lzh and lznetsj.dat not both written");
  }

  const bool listed = FindImeInPreload();
  RestartFlag = 0;
  if (listed && !FreeOldModule()) {
    RestartFlag = 1;
    ShowMessageW(kOldModuleInUseText, kInstallCaption, MB_OK);
    return;
  }

  InstallFiles(false);
  RegisterIme();
  if (WindowsMajorVersion <= 5) {
    FindImeInPreload();
    PromoteImeInPreload();
  }
  InstallFiles(true);
  LogStep("browser token %s", WriteUserAgentToken() ? "written" : "not written");

  // Quoted: unquoted, a directory with a blank would start "c:\my.exe" at
  // every logon.
  char commandLine[2 * MAX_PATH];
  std::snprintf(commandLine, sizeof commandLine, "\"%slanzlzsr.exe\" lz", InstallDir);
  WriteRunValue(commandLine);
  if (IsWindows64() && !StartSetupw64()) {
    NoteIncomplete("the IME is not registered for 64-bit programs");
    if (RunMode != kSilentMode) ShowMessageW(kNot64BitText, kProductCaption, MB_OK);
  }
}
