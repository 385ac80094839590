#include "test_support.h"

#include <shlwapi.h>

#include "core/container_walk.h"
#include "core/entry_stream.h"
#include "core/version_stamp.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

const BenchConfig& CurrentConfig() {
  static const BenchConfig config = [] {
    const char* name = std::getenv("LANZ_CONFIG");
    const std::string value = name != nullptr ? name : "xp32";
    if (value == "xp32") return BenchConfig{value, 5, false, 936};
    if (value == "win7-32-big5") return BenchConfig{value, 6, false, 950};
    if (value == "win7-64") return BenchConfig{value, 6, true, 936};
    if (value == "win7-64-big5") return BenchConfig{value, 6, true, 950};
    throw std::runtime_error("unknown LANZ_CONFIG " + value);
  }();
  return config;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

bool ReadBytes(const std::string& path, std::string* bytes) {
  bytes->clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes->append(chunk, got);
  CloseHandle(file);
  return true;
}

std::string Bytes(const std::string& path) {
  std::string bytes;
  ReadBytes(path, &bytes);
  return bytes;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

std::string WindowsDir() {
  char dir[MAX_PATH] = {};
  GetWindowsDirectoryA(dir, MAX_PATH);
  return dir;
}

std::string SystemDir() {
  char dir[MAX_PATH] = {};
  GetSystemDirectoryA(dir, MAX_PATH);
  return dir;
}

bool ReadPathValue(std::string* bytes, REGSAM view) {
  const std::wstring text = ReadTextW(HKEY_LOCAL_MACHINE, L"Software\\lanzwb", L"path", view);
  bytes->assign(4 * text.size(), '\0');
  bytes->resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &(*bytes)[0],
                                    static_cast<int>(bytes->size()), nullptr, nullptr));
  return text.empty() || text[0] != L'(';
}

std::wstring FromAcp(const std::string& narrow) {
  std::wstring wide(narrow.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  return wide;
}

// A 32-bit program writes into the 32-bit view, as the installer does.
bool WritePathValue(const std::string& bytes, DWORD type) {
  return SHSetValueA(HKEY_LOCAL_MACHINE, "Software\\lanzwb", "path", type, bytes.data(),
                     static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

std::vector<std::wstring> KeyboardLayoutKeys() {
  const std::wstring parent = L"System\\CurrentControlSet\\Control\\Keyboard Layouts";
  std::vector<std::wstring> keys;
  HKEY layouts;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, parent.c_str(), 0, KEY_READ, &layouts) != ERROR_SUCCESS) {
    return keys;
  }
  wchar_t name[64];
  for (DWORD index = 0, length = 64; RegEnumKeyExW(layouts, index, name, &length, nullptr, nullptr,
                                                   nullptr, nullptr) == ERROR_SUCCESS;
       ++index, length = 64) {
    keys.push_back(parent + L"\\" + name);
  }
  RegCloseKey(layouts);
  return keys;
}

void ClearInstallDirRecords() {
  RemoveFile(WindowsDir() + "\\lanzpath.lzh");
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\lanzwb", KEY_WOW64_32KEY, 0);
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\lanzwb", KEY_WOW64_64KEY, 0);
  for (const char* letter = "gfedc"; *letter != '\0'; ++letter) {
    RemoveFile(std::string(1, *letter) + ":\\lanzhu\\lanzpath.lzh");
  }
}

bool MakeDirLink(const std::string& name, const std::string& target) {
  // Wine 8 makes no link through Windows calls (CreateSymbolicLink makes
  // nothing, FSCTL_SET_REPARSE_POINT is not supported) but shows a Unix
  // symlink in its drive as a reparse point: the host's ln makes one in C:\.
  // Wine returns no handle of a Unix process to wait on.
  std::string commandLine = "ln -s " + target + " " + name;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA("\\\\?\\unix\\bin\\ln", &commandLine[0], nullptr, nullptr, FALSE, 0,
                      nullptr, "C:\\", &startup, &process)) {
    return false;
  }
  for (int waited = 0; waited < 100; ++waited, Sleep(50)) {
    const DWORD attributes = GetFileAttributesA(("C:\\" + name).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }
  return false;
}

std::wstring ReadTextW(HKEY root, const wchar_t* keyName, const wchar_t* valueName,
                       REGSAM view) {
  HKEY key;
  if (RegOpenKeyExW(root, keyName, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return L"(no key)";
  wchar_t data[512] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  const LONG result = RegQueryValueExW(key, valueName, nullptr, &type,
                                       reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return L"(no value)";
  return type == REG_SZ ? std::wstring(data) : L"(not REG_SZ)";
}

void WriteTextW(HKEY root, const std::wstring& keyName, const wchar_t* valueName,
                const std::wstring& text) {
  ASSERT_EQ(ERROR_SUCCESS, SHSetValueW(root, keyName.c_str(), valueName, REG_SZ, text.c_str(),
                                       static_cast<DWORD>(2 * (text.size() + 1))));
}

std::wstring StartUpValue() {
  return ReadTextW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                   L"lzlzsjgl");
}

std::map<std::string, std::string> InflatedEntries(const std::string& container) {
  std::map<std::string, std::string> inflated;
  ContainerWalk walk =
      StartWalk(reinterpret_cast<const std::uint8_t*>(container.data()), container.size());
  ContainerEntry entry;
  std::string out(kInflateLimit, '\0');
  while (NextEntry(walk, entry)) {
    std::size_t length = 0;
    if (InflateEntry(entry.stream, entry.streamLength, reinterpret_cast<std::uint8_t*>(&out[0]),
                     out.size(), length)) {
      inflated[entry.name] = out.substr(0, length);
    }
  }
  return inflated;
}

std::string StampedModule(std::string bytes) {
  StampVersionText(reinterpret_cast<std::uint8_t*>(&bytes[0]), bytes.size());
  return bytes;
}

std::string Gbk(const std::wstring& text) {
  char narrow[512] = {};
  WideCharToMultiByte(936, 0, text.c_str(), -1, narrow, sizeof narrow - 1, nullptr, nullptr);
  return narrow;
}
