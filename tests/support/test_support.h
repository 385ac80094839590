#pragma once

#include <windows.h>

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
bool FileExists(const std::string& path);
void RemoveFile(const std::string& path);

std::string WindowsDir();   // "C:\windows"
std::string SystemDir();

// HKLM\Software\lanzwb "path" in the registry view of a 32-bit process
// (`view` KEY_WOW64_32KEY or KEY_WOW64_64KEY), without one stored terminator.
bool ReadPathValue(std::string* bytes, REGSAM view = KEY_WOW64_32KEY);
bool WritePathValue(const std::string& bytes);
void DeletePathKey(REGSAM view = KEY_WOW64_32KEY);

// The registry path of every keyboard layout under HKLM, as
// "System\CurrentControlSet\Control\Keyboard Layouts\<id>".
std::vector<std::wstring> KeyboardLayoutKeys();

// The three records of the installation directory, removed.
void ClearInstallDirRecords();

// The Windows path under which a prefix sees a native file of the build
// (Wine maps the native root to Z:).
std::string WindowsPathOfNative(const std::string& nativePath);
