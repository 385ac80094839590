#include "system/admin_probe.h"

#include <windows.h>

#include <cstring>

#include "core/install_dir_rules.h"
#include "data/install_dir.h"
#include "system/platform.h"

static const char kAdminMarker[] = "lanzisadmin";

int LacksAdminRights() {
  IsWindows64();
  if (WindowsMajorVersion < 6) return 0;

  char saved[kInstallDirSize];
  std::memcpy(saved, InstallDir, sizeof saved);
  saved[kInstallDirSize - 1] = '\0';
  SetInstallDir(kAdminMarker);
  PersistInstallDir();
  // The marker, as persisted with its backslash, is no directory: it is read
  // back as stored, from the records that need the rights.
  const bool readBack = ProtectedRecordHolds(InstallDir);

  SetInstallDir(saved);
  PersistInstallDir();
  return readBack ? 0 : 1;
}
