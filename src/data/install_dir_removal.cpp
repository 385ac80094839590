#include "data/install_dir_removal.h"

#include <windows.h>

#include <cstring>

#include "core/backup_list.h"
#include "core/install_dir_rules.h"
#include "data/edition_marker.h"
#include "data/install_dir.h"
#include "payload/file_replace.h"
#include "payload/unpacked_names.h"
#include "system/narrow_text.h"
#include "system/run_result.h"

namespace {

// What the installer writes there besides the unpacked files; the edition
// marker goes last, so that an interrupted run still finds the directory.
constexpr const char* kWrittenNames[] = {"lanzcyzk.lzu", "lanzpyck.lzu", "lznetsj.dat",
                                         "lanzback.lzz", kEditionMarkerName};
// The uninstaller's own copies: one of them may be the running program.
constexpr const char* kUninstallerNames[] = {"lanzdel.exe", "lzqdel64.exe"};

bool IsUninstaller(const char* name) {
  for (const char* own : kUninstallerNames) {
    if (std::strcmp(name, own) == 0) return true;
  }
  return false;
}

bool IsRealDirectory(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

// Only a directory that the records may hold, that is no link and that
// holds this product's edition marker: a damaged record never makes the
// uninstaller delete elsewhere.
bool HoldsThisProduct() {
  char dir[kInstallDirSize];
  return AcceptDirRecord(InstallDir, strnlen(InstallDir, sizeof InstallDir), AnsiLeadBytes(),
                         dir) &&
         !InstallDirIsLink() && IsRealDirectory(InstallDir) && HoldsEditionMarker();
}

// Returns true when the file is deleted only at the next start.
bool RemoveInstalledFile(const char* name) {
  const InstalledPath path = InInstallDir(name);
  return RemoveFile(path.text, path.text,
                    IsUninstaller(name) ? RemoveMode::kOwnCopy : RemoveMode::kPlain) ==
         Removal::kAtRestart;
}

}  // namespace

void RemoveInstalledFiles(bool userData) {
  if (!HoldsThisProduct()) {
    LogStep("%s holds no installation of this product: left as it is", InstallDir);
    return;
  }
  bool atRestart = false;
  for (std::size_t i = 0; i < kUnpackedNameCount; ++i) {
    char name[MAX_PATH];
    ToNarrow(kUnpackedNames[i], kGbkCodePage, name, sizeof name);
    if (!userData && IsUserDataFile(name)) continue;
    atRestart = RemoveInstalledFile(name) || atRestart;
  }
  for (const char* name : kWrittenNames) atRestart = RemoveInstalledFile(name) || atRestart;
  const InstalledPath filer = InInstallDir("filer");
  if (IsRealDirectory(filer.text)) RemoveDirectoryA(filer.text);

  char dir[kInstallDirSize];
  std::memcpy(dir, InstallDir, sizeof dir);
  StripDirBackslash(dir, AnsiLeadBytes());
  if (RemoveDirectoryA(dir)) {
    LogStep("%s removed", dir);
  } else if (atRestart) {
    // Windows removes it after the files in use, when nothing else is left.
    MoveFileExA(dir, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  } else {
    LogStep("%s kept: it holds files that are not removed", dir);
  }
}
