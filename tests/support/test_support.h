#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The platform configuration the bench runs this test in (LANZ_CONFIG).
struct BenchConfig {
  std::string name;
  int majorVersion;   // 5 for XP, 6 for Windows 7
  bool windows64;
  int oemCodePage;    // 936 or 950
};
const BenchConfig& CurrentConfig();

// Whole-file access, bytes as they are.
bool WriteBytes(const std::string& path, const std::string& bytes);
bool ReadBytes(const std::string& path, std::string* bytes);
// The whole file, empty when it cannot be read.
std::string Bytes(const std::string& path);
bool FileExists(const std::string& path);
void RemoveFile(const std::string& path);

std::string WindowsDir();   // "C:\windows"
std::string SystemDir();

// HKLM\Software\lanzwb "path" in the registry view of a 32-bit process
// (`view` KEY_WOW64_32KEY or KEY_WOW64_64KEY), up to its first NUL; false
// when there is none of type REG_SZ.
bool ReadPathValue(std::string* bytes, REGSAM view = KEY_WOW64_32KEY);
bool WritePathValue(const std::string& bytes, DWORD type = REG_SZ);

// A REG_SZ value as text; "(no key)", "(no value)" or "(not REG_SZ)" else.
std::wstring ReadTextW(HKEY root, const wchar_t* keyName, const wchar_t* valueName,
                       REGSAM view = 0);

// Sets a REG_SZ value, creating the key.
void WriteTextW(HKEY root, const std::wstring& keyName, const wchar_t* valueName,
                const std::wstring& text);
// The start-up entry "lzlzsjgl", as the installer's 32-bit view shows it.
std::wstring StartUpValue();

// The registry path of every keyboard layout under HKLM, as
// "System\CurrentControlSet\Control\Keyboard Layouts\<id>".
std::vector<std::wstring> KeyboardLayoutKeys();

// The three records of the installation directory, removed.
void ClearInstallDirRecords();

// Makes C:\<name> a link to the directory C:\<target>, which Windows shows as
// a reparse point. True once it is there.
bool MakeDirLink(const std::string& name, const std::string& target);

// Every entry of a container, inflated, by its stored name (narrow bytes).
std::map<std::string, std::string> InflatedEntries(const std::string& container);

// A module as the installer's version stamp leaves it.
std::string StampedModule(std::string bytes);

// A text in GBK, as the installer's narrow boxes hold it.
std::string Gbk(const std::wstring& text);
// A narrow text of this Windows's code page.
std::wstring FromAcp(const std::string& narrow);
