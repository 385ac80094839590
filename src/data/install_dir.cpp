#include "data/install_dir.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "payload/file_replace.h"
#include "system/narrow_text.h"
#include "system/platform.h"
#include "system/registry_text.h"
#include "system/run_result.h"
#include "system/seams.h"
#include "system/whole_file.h"

static const char kPathFileName[] = "lanzpath.lzh";
// The registry record's key under HKEY_LOCAL_MACHINE.
static const char kRecordKey[] = "Software\\lanzwb";

void SetInstallDir(const char* text) {
  std::memset(InstallDir, 0, sizeof InstallDir);
  std::memcpy(InstallDir, text, strnlen(text, kInstallDirMaxChars));
}

void AppendInstallDirBackslash() { AppendDirBackslash(InstallDir, AnsiLeadBytes()); }

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

namespace {

// A record as it is stored: whether it is there at all, and its text. A path
// file is its bytes; a registry value has text only as a REG_SZ.
struct StoredRecord {
  bool present;
  bool hasText;
  char text[2 * kInstallDirSize];
  std::size_t length;
};

// A file that exists but cannot be read is there all the same.
StoredRecord ReadPathFile(const char* path) {
  StoredRecord record{};
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) {
    const DWORD error = GetLastError();
    record.present = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
    return record;
  }
  record.present = true;
  const UINT read = _lread(file, record.text, sizeof record.text);
  _lclose(file);
  record.hasText = read != static_cast<UINT>(HFILE_ERROR);
  record.length = record.hasText ? read : 0;
  return record;
}

StoredRecord ReadRegistryRecord() {
  StoredRecord record{};
  HKEY key;
  const LONG opened =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, 0, KEY_ALL_ACCESS, &key);
  if (opened != ERROR_SUCCESS) {
    record.present = opened != ERROR_FILE_NOT_FOUND;
    return record;
  }
  DWORD type = 0;
  DWORD size = sizeof record.text;
  const LONG queried = RegQueryValueExA(key, "path", nullptr, &type,
                                        reinterpret_cast<BYTE*>(record.text), &size);
  RegCloseKey(key);
  record.present = queried != ERROR_FILE_NOT_FOUND;
  if (queried != ERROR_SUCCESS) return record;
  record.length = size < sizeof record.text ? size : sizeof record.text;
  record.hasText = RegistryValueText(type, record.text, record.length);
  return record;
}

// Takes the record into InstallDir when it holds a directory the path page
// would accept, with its trailing backslash; anything else counts as missing
// and stays where it is, never copied into another record.
bool TakeRecord(const StoredRecord& record, const char* name) {
  if (!record.present) return false;
  if (record.hasText && AcceptDirRecord(record.text, record.length, AnsiLeadBytes(), InstallDir)) {
    return true;
  }
  LogStep("%s holds no installation directory: skipped", name);
  return false;
}

}  // namespace

char* ResolveInstallDir() {
  if (IsResolvedDir(InstallDir)) return InstallDir;
  std::memset(InstallDir, 0, sizeof InstallDir);

  char path[MAX_PATH];
  WindowsPathFile(path);
  const StoredRecord file = ReadPathFile(path);
  if (TakeRecord(file, "the path file")) return InstallDir;
  const StoredRecord value = ReadRegistryRecord();
  if (TakeRecord(value, "the registry value")) return InstallDir;
  // Anyone may create the spare file; it counts only where the installer has
  // written no other record.
  if (!file.present && !value.present) {
    SparePathFile(path);
    if (TakeRecord(ReadPathFile(path), "the spare path file")) return InstallDir;
  }
  SetInstallDir(kDefaultInstallDir);
  return InstallDir;
}

bool ProtectedRecordHolds(const char* text) {
  char path[MAX_PATH];
  WindowsPathFile(path);
  StoredRecord record = ReadPathFile(path);
  if (!record.present) record = ReadRegistryRecord();
  return record.hasText && record.length == std::strlen(text) &&
         std::memcmp(record.text, text, record.length) == 0;
}

bool InstallDirIsLink() {
  char dir[kInstallDirSize];
  std::memcpy(dir, InstallDir, sizeof dir);
  dir[kInstallDirSize - 1] = '\0';
  StripDirBackslash(dir, AnsiLeadBytes());
  const DWORD attributes = GetFileAttributesA(dir);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

static bool WritePathFile(const char* path) {
  if (WriteFileWhole(path, InstallDir, std::strlen(InstallDir))) return true;
  LogStep("path file %s not written", path);
  return false;
}

static bool WriteRegistryRecord() {
  HKEY software;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &software) != ERROR_SUCCESS) {
    return false;
  }
  HKEY key;
  bool written = false;
  if (RegCreateKeyExA(software, "lanzwb", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    written = RegSetValueExA(key, "path", 0, REG_SZ, reinterpret_cast<const BYTE*>(InstallDir),
                             static_cast<DWORD>(std::strlen(InstallDir))) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  RegCloseKey(software);
  return written;
}

bool PersistInstallDir() {
  AppendInstallDirBackslash();

  char path[MAX_PATH];
  WindowsPathFile(path);
  const bool pathFile = WritePathFile(path);
  const bool registry = WriteRegistryRecord();
  if (!registry) LogStep("registry value HKLM\\Software\\lanzwb \"path\" not written");
  GetSystemDirectoryA(SharedDirBuffer, sizeof SharedDirBuffer);

  if (WindowsMajorVersion >= 6) {
    char spare[kInstallDirSize];
    SpareDir(spare);
    CreateDirectoryA(spare, nullptr);
    std::snprintf(path, sizeof path, "%s%s", spare, kPathFileName);
    WritePathFile(path);
  }
  return pathFile && registry;
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
