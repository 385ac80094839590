#include "system/platform.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "system/seams.h"


int IsWindows64() {
  WindowsMajorVersion = 0;
  OSVERSIONINFOEXA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  static_assert(sizeof version == 156, "the extended version structure");
  if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version))) {
    WindowsMajorVersion = static_cast<int>(version.dwMajorVersion);
  }
  if (WindowsMajorVersion <= 5) return 0;
  char windowsDir[100] = {};
  GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
  std::snprintf(SysWow64Dir, sizeof SysWow64Dir, "%s\\syswow64", windowsDir);
  return PathExists(SysWow64Dir);
}

int PathExists(const char* path) {
  // Backup semantics let a directory open like a file.
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return 0;
  CloseHandle(handle);
  return 1;
}

void GetSysWow64Dir(char (&out)[kDirBufferSize]) {
  GetWindowsDirectoryA(SharedDirBuffer, sizeof SharedDirBuffer);
  std::snprintf(out, sizeof out, "%s\\syswow64", SharedDirBuffer);
}

int IsWin9xFamily() { return (Platform.GetVersion() & 0x80000000u) != 0; }

void GetNativeSystemDir(char (&out)[kDirBufferSize]) {
  GetWindowsDirectoryA(SharedDirBuffer, sizeof SharedDirBuffer);
  std::snprintf(out, sizeof out, "%s\\sysnative", SharedDirBuffer);
}

int ModuleSystemDirs(ModuleDir (&dirs)[2]) {
  const bool windows64 = IsWindows64() != 0;
  GetSystemDirectoryA(dirs[0].atRestart, sizeof dirs[0].atRestart);
  std::memcpy(dirs[0].now, dirs[0].atRestart, sizeof dirs[0].now);
  if (!windows64) return 1;
  // The 64-bit directory keeps its own name for Windows at the next start.
  dirs[1] = dirs[0];
  if (sizeof(void*) == 4) GetNativeSystemDir(dirs[1].now);
  GetSysWow64Dir(dirs[0].now);
  std::memcpy(dirs[0].atRestart, dirs[0].now, sizeof dirs[0].atRestart);
  return 2;
}

int RegistryViews(unsigned long (&views)[2]) {
  if (!IsWindows64()) {
    views[0] = 0;
    return 1;
  }
  views[0] = KEY_WOW64_32KEY;
  views[1] = KEY_WOW64_64KEY;
  return 2;
}
