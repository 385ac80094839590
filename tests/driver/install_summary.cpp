#include "install_summary.h"

#include <windows.h>

#include "driver.h"
#include "test_support.h"

namespace {

bool RunsOn64BitWindows() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string FileLine(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  std::string facts = "(none)";
  if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    facts = std::to_string(data.nFileSizeLow) + " bytes";
  }
  return "  " + ToUtf8(path) + ": " + facts + "\n";
}

int FilesIn(const std::wstring& dir, int* subdirs) {
  int files = 0;
  *subdirs = 0;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((dir + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ++files;
    } else if (name != L"." && name != L"..") {
      ++*subdirs;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

// A string value; false when the key or value is missing or not a string.
bool ReadString(HKEY root, const std::wstring& keyName, const wchar_t* valueName, REGSAM view,
                std::wstring* text) {
  HKEY key;
  if (RegOpenKeyExW(root, keyName.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  wchar_t data[512] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  const LONG result =
      RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  *text = data;
  return result == ERROR_SUCCESS && type == REG_SZ;
}

// The value quoted, or "(none)".
std::string ValueText(HKEY root, const std::wstring& keyName, const wchar_t* valueName,
                      REGSAM view = 0) {
  std::wstring text;
  return ReadString(root, keyName, valueName, view, &text) ? "\"" + ToUtf8(text) + "\"" : "(none)";
}

std::string ValueLine(const char* label, HKEY root, const std::wstring& keyName,
                      const wchar_t* valueName, REGSAM view = 0) {
  return "  " + std::string(label) + ": " + ValueText(root, keyName, valueName, view) + "\n";
}

std::string OurLayouts() {
  std::string lines;
  for (const std::wstring& key : KeyboardLayoutKeys()) {
    const std::string text = ValueText(HKEY_LOCAL_MACHINE, key, L"Layout Text");
    if (text.rfind("\"" + ToUtf8(L"智能岚舟输入平台"), 0) != 0) continue;
    lines += "  keyboard layout " + ToUtf8(key.substr(key.rfind(L'\\') + 1)) + ": Layout Text " +
             text + ", Ime File " + ValueText(HKEY_LOCAL_MACHINE, key, L"Ime File") + "\n";
  }
  return lines.empty() ? "  (no keyboard layout of 智能岚舟输入平台)\n" : lines;
}

}  // namespace

std::string InstallSummary() {
  std::wstring dir;
  if (!ReadString(HKEY_LOCAL_MACHINE, L"Software\\lanzwb", L"path", KEY_WOW64_32KEY, &dir)) {
    dir = L"c:\\lanzhu2\\";
  }
  int subdirs = 0;
  const int files = FilesIn(dir, &subdirs);
  std::string out = "installation directory " + ToUtf8(dir) + ": " + std::to_string(files) +
                    " files, " + std::to_string(subdirs) + " folder(s)\n";
  for (const wchar_t* name : {L"lanzhu4.ime", L"lanzhu32.ime", L"lanzlzsr.exe", L"wbpybz.lzh",
                              L"lznetsj.dat", L"lanzcyzk.lzu", L"lanzpyck.lzu"}) {
    out += FileLine(dir + name);
  }

  const bool windows64 = RunsOn64BitWindows();
  const std::wstring windows = FromUtf8(WindowsDir());
  out += "system-directory modules\n";
  // A 32-bit program sees SysWOW64 as system32; the real one is sysnative.
  const std::wstring system = windows64 ? windows + L"\\sysnative" : FromUtf8(SystemDir());
  out += FileLine(system + L"\\lanzhu4.ime") + FileLine(system + L"\\lanzdel.exe");
  if (windows64) {
    out += FileLine(windows + L"\\syswow64\\lanzhu4.ime");
    out += FileLine(windows + L"\\syswow64\\lanzdel.exe");
  }

  const std::wstring current = L"Software\\Microsoft\\Windows\\CurrentVersion\\";
  const std::wstring uninstall = current + L"Uninstall\\lanzqwb";
  out += std::string("registry (HKLM") + (windows64 ? ", 32-bit view" : "") + ")\n";
  out += ValueLine("Software\\lanzwb path", HKEY_LOCAL_MACHINE, L"Software\\lanzwb", L"path",
                   KEY_WOW64_32KEY);
  if (windows64) {
    out += ValueLine("Software\\lanzwb path (64-bit view)", HKEY_LOCAL_MACHINE,
                     L"Software\\lanzwb", L"path", KEY_WOW64_64KEY);
  }
  out += ValueLine("Uninstall\\lanzqwb DisplayName", HKEY_LOCAL_MACHINE, uninstall, L"DisplayName");
  out += ValueLine("Uninstall\\lanzqwb UninstallString", HKEY_LOCAL_MACHINE, uninstall,
                   L"UninstallString");
  out += ValueLine("Run lzlzsjgl", HKEY_LOCAL_MACHINE, current + L"Run", L"lzlzsjgl");
  out += ValueLine("User Agent\\Post Platform lzsr7300", HKEY_LOCAL_MACHINE,
                   current + L"Internet Settings\\User Agent\\Post Platform", L"lzsr7300");
  return out + OurLayouts();
}
