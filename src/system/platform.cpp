#include "system/platform.h"

#include <windows.h>

#include <cstdio>

#include "system/seams.h"

int WindowsMajorVersion;
char SysWow64Dir[kDirBufferSize];
char SharedDirBuffer[kDirBufferSize];

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
