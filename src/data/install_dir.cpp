#include "data/install_dir.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "payload/file_replace.h"
#include "system/platform.h"
#include "system/registry_text.h"
#include "system/run_result.h"
#include "system/seams.h"

char InstallDir[kInstallDirSize];

static const char kPathFileName[] = "lanzpath.lzh";
// The registry record's key under HKEY_LOCAL_MACHINE.
static const char kRecordKey[] = "Software\\lanzwb";

InstalledPath InInstallDir(const char* name) {
  InstalledPath path;
  std::snprintf(path.text, sizeof path.text, "%s%s", InstallDir, name);
  return path;
}

static void WindowsPathFile(char (&path)[MAX_PATH]) {
  char windowsDir[kDirBufferSize] = {};
  GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
  std::snprintf(path, sizeof path, "%s\\%s", windowsDir, kPathFileName);
}

static void SparePathFile(char (&path)[MAX_PATH]) {
  char spare[kInstallDirSize];
  SpareDir(spare);
  std::snprintf(path, sizeof path, "%s%s", spare, kPathFileName);
}

// Reads at most 199 bytes, so the zero fill always terminates the string.
static bool ReadPathFile(const char* path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return false;
  _lread(file, InstallDir, kInstallDirMaxChars);
  _lclose(file);
  return true;
}

// A value whose text is longer than the 200-byte buffer counts as missing;
// one that fills it exactly keeps its first 199 bytes. The value is read into
// room of its own first, since Windows and Wine differ in whether a value that
// fills the buffer exactly leaves room for the terminator.
static bool ReadRegistryRecord() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\lanzwb", 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  char value[2 * kInstallDirSize] = {};
  DWORD size = sizeof value;
  const bool read = RegQueryValueExA(key, "path", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                                     &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (!read) return false;
  const std::size_t length = strnlen(value, size < sizeof value ? size : sizeof value);
  if (length > kInstallDirSize) return false;
  std::memcpy(InstallDir, value, length < kInstallDirMaxChars ? length : kInstallDirMaxChars);
  return true;
}

char* ResolveInstallDir() {
  if (IsResolvedDir(InstallDir)) return InstallDir;
  std::memset(InstallDir, 0, sizeof InstallDir);

  char path[MAX_PATH];
  WindowsPathFile(path);
  if (ReadPathFile(path)) return InstallDir;
  if (ReadRegistryRecord()) return InstallDir;
  SparePathFile(path);
  if (ReadPathFile(path)) return InstallDir;
  std::memcpy(InstallDir, kDefaultInstallDir, sizeof kDefaultInstallDir);
  return InstallDir;
}

static void WritePathFile(const char* path) {
  HFILE file = _lcreat(path, 0);
  if (file == HFILE_ERROR) return;
  _lwrite(file, InstallDir, static_cast<UINT>(std::strlen(InstallDir)));
  _lclose(file);
}

static void WriteRegistryRecord() {
  HKEY software;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &software) != ERROR_SUCCESS) {
    return;
  }
  HKEY key;
  if (RegCreateKeyExA(software, "lanzwb", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, "path", 0, REG_SZ, reinterpret_cast<const BYTE*>(InstallDir),
                   static_cast<DWORD>(std::strlen(InstallDir)));
    RegCloseKey(key);
  }
  RegCloseKey(software);
}

void PersistInstallDir() {
  AppendDirBackslash(InstallDir);

  char path[MAX_PATH];
  WindowsPathFile(path);
  WritePathFile(path);
  WriteRegistryRecord();
  GetSystemDirectoryA(SharedDirBuffer, sizeof SharedDirBuffer);

  if (WindowsMajorVersion < 6) return;
  char spare[kInstallDirSize];
  SpareDir(spare);
  CreateDirectoryA(spare, nullptr);
  std::snprintf(path, sizeof path, "%s%s", spare, kPathFileName);
  WritePathFile(path);
}

void SpareDir(char (&out)[kInstallDirSize]) {
  static const char kProbeOrder[] = "gfedc";
  out[0] = '\0';
  for (const char* letter = kProbeOrder; *letter != '\0'; ++letter) {
    const char root[] = {*letter, ':', '\\', '\0'};
    if (Platform.GetDriveTypeA(root) == DRIVE_FIXED) {
      std::snprintf(out, sizeof out, "%slanzhu\\", root);
      return;
    }
  }
}

bool InstallDirRecorded() {
  char path[MAX_PATH];
  WindowsPathFile(path);
  if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return true;
  unsigned long views[2];
  const int count = RegistryViews(views);
  for (int i = 0; i < count; ++i) {
    if (RegistryKeyExists(HKEY_LOCAL_MACHINE, kRecordKey, views[i])) return true;
  }
  return false;
}

void RemoveInstallDirRecords() {
  unsigned long views[2];
  const int count = RegistryViews(views);
  for (int i = 0; i < count; ++i) {
    if (!DeleteRegistryKey(HKEY_LOCAL_MACHINE, kRecordKey, views[i])) NoteIncomplete(kRecordKey);
  }
  char path[MAX_PATH];
  WindowsPathFile(path);
  RemoveFile(path, path, RemoveMode::kPlain);
  // Without a fixed drive there is no spare directory, and a bare file name
  // would name a file of whatever directory is current.
  char spare[kInstallDirSize];
  SpareDir(spare);
  if (spare[0] == '\0') return;
  SparePathFile(path);
  RemoveFile(path, path, RemoveMode::kPlain);
  // The spare directory holds the spare path file alone.
  RemoveDirectoryA(spare);
}
