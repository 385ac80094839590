#include "system/uninstall_sequence.h"

#include "data/install_dir.h"
#include "data/install_dir_removal.h"
#include "payload/system_files_removal.h"
#include "system/ime_removal.h"
#include "system/platform.h"
#include "system/run_result.h"
#include "system/system_entries.h"

bool ProductInstalled() {
  unsigned long views[2];
  const int count = RegistryViews(views);
  for (int i = 0; i < count; ++i) {
    if (UninstallEntryExists(views[i])) return true;
  }
  return InstallDirRecorded() || ImeLayoutsRegistered() || ImeModuleInstalled();
}

void RunUninstall(bool userData) {
  ResolveInstallDir();
  LogStep("installation directory: %s", InstallDir);
  RemoveImeLayouts();
  unsigned long views[2];
  const int count = RegistryViews(views);
  for (int i = 0; i < count; ++i) {
    if (!RemoveRunValueAndTokens(views[i])) NoteIncomplete("the start-up entry or a browser token");
  }
  RemoveSystemFiles();
  RemoveInstalledFiles(userData);
  RemoveInstallDirRecords();
  if (RunExitCode() == kExitIncomplete) {
    LogStep("the uninstall entry stays, to run the uninstallation again");
    return;
  }
  for (int i = 0; i < count; ++i) {
    if (!RemoveUninstallEntry(views[i])) NoteIncomplete("the uninstall entry");
  }
}
