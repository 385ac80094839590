#include "system/system_entries.h"

#include <windows.h>

#include <cstring>

#include "system/product_texts.h"
#include "system/registry_text.h"
#include "system/state.h"

namespace {

// Opens `parent` for reading and creates or opens `child` under it with full
// access; both handles are returned open, or false with nothing open.
bool OpenChildKeyA(const char* parent, const char* child, HKEY* parentKey, HKEY* childKey) {
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parent, 0, KEY_READ, parentKey) != ERROR_SUCCESS) {
    return false;
  }
  if (RegCreateKeyExA(*parentKey, child, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, childKey, nullptr) != ERROR_SUCCESS) {
    RegCloseKey(*parentKey);
    return false;
  }
  return true;
}

// The browser tokens of this product's versions 6.3 to 6.8 and 7.0 to 7.8,
// this version's among them.
constexpr const char* kProductTokens[] = {
    "lzsr6300", "lzsr6400", "lzsr6500", "lzsr6600", "lzsr6700", "lzsr6800", "lzsr7000", "lzsr7100",
    "lzsr7200", "lzsr7300", "lzsr7400", "lzsr7500", "lzsr7600", "lzsr7700", "lzsr7800"};

constexpr char kUserAgentKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent";
constexpr char kPostPlatformKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kUninstallEntryKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb";

bool SetTextW(HKEY key, const wchar_t* name, const wchar_t* text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(2 * wcslen(text))) == ERROR_SUCCESS;
}

}  // namespace

bool WriteUninstallEntry() {
  const wchar_t* displayName = Edition == kPinyinEdition ? kPinyinEditionName : kWubiEditionName;
  HKEY uninstall;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                    0, KEY_READ, &uninstall) != ERROR_SUCCESS) {
    return false;
  }
  HKEY entry;
  if (RegCreateKeyExW(uninstall, L"lanzqwb", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &entry, nullptr) != ERROR_SUCCESS) {
    RegCloseKey(uninstall);
    return false;
  }
  const bool named = SetTextW(entry, L"DisplayName", displayName);
  wchar_t systemDir[100] = {};
  GetSystemDirectoryW(systemDir, 100);
  wchar_t uninstaller[128];
  wsprintfW(uninstaller, L"%s\\lanzdel.exe", systemDir);
  const bool written = SetTextW(entry, L"UninstallString", uninstaller) && named;
  RegCloseKey(entry);
  RegCloseKey(uninstall);
  return written;
}

void WriteRunValue(const char* commandLine) {
  HKEY windows;
  HKEY run;
  if (!OpenChildKeyA("Software\\Microsoft\\Windows\\CurrentVersion", "Run", &windows, &run)) return;
  RegDeleteValueA(run, "lzlzsjgl");
  RegSetValueExA(run, "lzlzsjgl", 0, REG_SZ, reinterpret_cast<const BYTE*>(commandLine),
                 static_cast<DWORD>(std::strlen(commandLine)));
  RegCloseKey(run);
  RegCloseKey(windows);
}

bool WriteUserAgentToken() {
  HKEY userAgent;
  HKEY postPlatform;
  if (!OpenChildKeyA(kUserAgentKey, "Post Platform", &userAgent, &postPlatform)) return false;
  for (const char* token : kProductTokens) RegDeleteValueA(postPlatform, token);
  const bool written = RegSetValueExA(postPlatform, "lzsr7300", 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(""), 0) == ERROR_SUCCESS;
  RegCloseKey(postPlatform);
  RegCloseKey(userAgent);
  return written;
}

bool UninstallEntryExists(REGSAM view) {
  return RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey, view);
}

bool RemoveUninstallEntry(REGSAM view) {
  return DeleteRegistryKey(HKEY_LOCAL_MACHINE, kUninstallEntryKey, view);
}

bool RemoveRunValueAndTokens(REGSAM view) {
  bool gone = DeleteRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, "lzlzsjgl", view);
  for (const char* token : kProductTokens) {
    gone = DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPostPlatformKey, token, view) && gone;
  }
  // The installation made the key for its token when there was none.
  HKEY postPlatform;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPostPlatformKey, 0, KEY_READ | view, &postPlatform) ==
      ERROR_SUCCESS) {
    DWORD subkeys = 1;
    DWORD values = 1;
    RegQueryInfoKeyA(postPlatform, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(postPlatform);
    if (subkeys == 0 && values == 0) DeleteRegistryKey(HKEY_LOCAL_MACHINE, kPostPlatformKey, view);
  }
  return gone;
}
