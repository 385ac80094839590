#pragma once

#include "system/state.h"

// 64-bit Windows: major version 6 or later and a "syswow64" directory under
// the Windows directory. XP x64 and Server 2003 count as 32-bit.
int IsWindows64();
// Whether a file or directory of that name can be opened.
int PathExists(const char* path);
// Leaves the Windows directory in SharedDirBuffer.
void GetSysWow64Dir(char (&out)[kDirBufferSize]);
// The 9x family, told from the NT family by the top bit of GetVersion.
int IsWin9xFamily();
// The 64-bit system directory as a 32-bit program on 64-bit Windows reaches
// it: the "Sysnative" alias under the Windows directory, which is not
// redirected to SysWOW64. Leaves the Windows directory in SharedDirBuffer.
void GetNativeSystemDir(char (&out)[kDirBufferSize]);

// A system directory that holds the IME's module: `now` is the path by which
// this program reaches it, `atRestart` the one Windows itself reads at its
// next start. They differ for the 64-bit directory seen from a 32-bit
// program, which reaches it only through the "Sysnative" alias.
struct ModuleDir {
  char now[kDirBufferSize];
  char atRestart[kDirBufferSize];
};
// The directories the installation put the module into: on 64-bit Windows
// SysWOW64 and the 64-bit system directory, else the system directory.
// Returns how many it filled. Leaves the Windows directory in SharedDirBuffer.
int ModuleSystemDirs(ModuleDir (&dirs)[2]);

// The registry views the installation wrote, as flags for the registry's
// access masks: on 64-bit Windows the 32-bit view (setup.exe) and the 64-bit
// view (setupw64.exe), else the one view, 0. Returns how many it filled.
int RegistryViews(unsigned long (&views)[2]);
