#include "system/system_entries.h"

#include <windows.h>

#include <cstring>

#include "shell/run_state.h"

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

bool SetTextW(HKEY key, const wchar_t* name, const wchar_t* text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(2 * wcslen(text))) == ERROR_SUCCESS;
}

}  // namespace

bool WriteUninstallEntry() {
  const wchar_t* displayName = Edition == kPinyinEdition ? L"岚舟拼音" : L"岚舟五笔";
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
  if (!OpenChildKeyA("Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent",
                     "Post Platform", &userAgent, &postPlatform)) {
    return false;
  }
  // The tokens of 6.3 to 6.8 and 7.0 to 7.8: "lzsr" and the version's digits.
  char name[] = "lzsr6300";
  for (char minor = '3'; minor <= '8'; ++minor) {
    name[5] = minor;
    RegDeleteValueA(postPlatform, name);
  }
  name[4] = '7';
  for (char minor = '0'; minor <= '8'; ++minor) {
    name[5] = minor;
    RegDeleteValueA(postPlatform, name);
  }
  const bool written = RegSetValueExA(postPlatform, "lzsr7300", 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(""), 0) == ERROR_SUCCESS;
  RegCloseKey(postPlatform);
  RegCloseKey(userAgent);
  return written;
}
