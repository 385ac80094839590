#include "payload/system_files_removal.h"

#include <windows.h>

#include <cstdio>

#include "payload/file_replace.h"
#include "system/ime_texts.h"
#include "system/platform.h"
#include "system/run_result.h"

namespace {

// The module's spare names: RenameAside's when a module in use was replaced.
constexpr const char* kSpareModuleNames[] = {"lanzhu2.ime", "lanzhu1.ime"};
constexpr char kUninstallerName[] = "lanzdel.exe";

struct SystemFile {
  char now[kDirBufferSize + 16];
  char atRestart[kDirBufferSize + 16];
};

SystemFile InDir(const ModuleDir& dir, const char* name) {
  SystemFile file;
  std::snprintf(file.now, sizeof file.now, "%s\\%s", dir.now, name);
  std::snprintf(file.atRestart, sizeof file.atRestart, "%s\\%s", dir.atRestart, name);
  return file;
}

}  // namespace

bool ImeModuleInstalled() {
  ModuleDir dirs[2];
  const int count = ModuleSystemDirs(dirs);
  for (int i = 0; i < count; ++i) {
    const SystemFile module = InDir(dirs[i], kImeModuleName);
    if (GetFileAttributesA(module.now) != INVALID_FILE_ATTRIBUTES) return true;
  }
  return false;
}

void RemoveSystemFiles() {
  ModuleDir dirs[2];
  const int count = ModuleSystemDirs(dirs);
  for (int i = 0; i < count; ++i) {
    // Spare copies first: the module in use is about to become one.
    for (const char* spare : kSpareModuleNames) {
      const SystemFile file = InDir(dirs[i], spare);
      RemoveFile(file.now, file.atRestart, RemoveMode::kPlain);
    }
    const SystemFile module = InDir(dirs[i], kImeModuleName);
    RemoveFile(module.now, module.atRestart, RemoveMode::kMoveAside);
    // The running uninstaller is one of these.
    const SystemFile uninstaller = InDir(dirs[i], kUninstallerName);
    RemoveFile(uninstaller.now, uninstaller.atRestart, RemoveMode::kOwnCopy);
  }
  LogStep("system directories done");
}
