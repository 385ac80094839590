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

// The module is moved aside when in use, so that a new installation can put
// its own in place before the restart; its spare copies are not.
void RemoveModuleFile(const ModuleDir& dir, const char* name, bool moveAside) {
  const SystemFile file = InDir(dir, name);
  switch (RemoveFile(file.now, file.atRestart, moveAside)) {
    case Removal::kGone:
      break;
    case Removal::kAtRestart:
      NoteRestartCompletes(file.atRestart);
      break;
    case Removal::kStays:
      NoteIncomplete(file.atRestart);
      break;
  }
}

}  // namespace

bool ImeModuleInstalled() {
  ModuleDir dirs[2];
  const int count = ModuleSystemDirs(dirs);
  for (int i = 0; i < count; ++i) {
    if (GetFileAttributesA(InDir(dirs[i], kImeModuleName).now) != INVALID_FILE_ATTRIBUTES) return true;
  }
  return false;
}

void RemoveSystemFiles() {
  ModuleDir dirs[2];
  const int count = ModuleSystemDirs(dirs);
  for (int i = 0; i < count; ++i) {
    // Spare copies first: the module in use is about to become one.
    for (const char* spare : kSpareModuleNames) RemoveModuleFile(dirs[i], spare, false);
    RemoveModuleFile(dirs[i], kImeModuleName, true);
    // The running uninstaller is one of these: Windows deletes it later.
    const SystemFile uninstaller = InDir(dirs[i], kUninstallerName);
    const Removal removal = RemoveFile(uninstaller.now, uninstaller.atRestart, false);
    if (removal == Removal::kAtRestart) LogStep("deleted at the next start: %s", uninstaller.atRestart);
    if (removal == Removal::kStays) NoteIncomplete(uninstaller.atRestart);
  }
  LogStep("system directories done");
}
