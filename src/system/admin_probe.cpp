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
  std::memcpy(InstallDir, kAdminMarker, sizeof kAdminMarker);
  PersistInstallDir();

  // Unresolve it so that the records are read back in their own order.
  InstallDir[0] = '\0';
  ResolveInstallDir();
  char readBack[kInstallDirSize];
  std::memcpy(readBack, InstallDir, sizeof readBack);
  readBack[kInstallDirSize - 1] = '\0';

  std::memcpy(InstallDir, saved, sizeof saved);
  PersistInstallDir();

  const std::size_t length = std::strlen(readBack);
  if (length > 0 && readBack[length - 1] == '\\') readBack[length - 1] = '\0';
  return lstrcmpA(readBack, kAdminMarker) != 0;
}
