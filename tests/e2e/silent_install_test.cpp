#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "installer_run.h"
#include "payload_entries.h"
#include "test_support.h"

namespace {

const std::string kInstallDir = "c:\\lanzhu2\\";
const char* const kFirstPassModules[] = {"lanz320.ime", "lanz321.ime", "lanz640.ime",
                                         "lanz641.ime"};

int FilesIn(const std::string& dir) {
  int count = 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

// One silent installation into a fresh prefix, shared by the suite's tests.
class SilentInstall : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ClearInstallDirRecords();
    exitCode_ = InstallSilently(BuildProgram("LANZ_SETUP_EXE"), &answered_,
                                L"setlzsrf32 loglz32=c:\\lz.log");
  }

  static DWORD exitCode_;
  static std::vector<std::wstring> answered_;
};
DWORD SilentInstall::exitCode_ = STILL_ACTIVE;
std::vector<std::wstring> SilentInstall::answered_;

TEST_F(SilentInstall, EndsWithExitCode0AndNoMessageOfItsOwn) {
  EXPECT_EQ(0u, exitCode_);
  const std::string log = Bytes("c:\\lz.log");
  const std::size_t result = log.find("result: exit code 0 (complete)");
  EXPECT_NE(std::string::npos, result) << log;
  EXPECT_LT(log.find("installation checks: path--c:\\lanzhu2\\--14;"), result) << log;
  // On 64-bit Windows setupw64.exe, which the installer starts to register
  // the IME for 64-bit programs, says so when done.
  EXPECT_EQ(CurrentConfig().windows64
                ? std::vector<std::wstring>{L"智能岚舟: 智能岚舟已安装成功，如不能使用，请重新启动计算机！"}
                : std::vector<std::wstring>{},
            answered_);
}

TEST_F(SilentInstall, UnpacksThePayloadAndItsDerivedFiles) {
  const bool vista = CurrentConfig().majorVersion >= 6;
  for (const auto& [name, payload] : Payload()) {
    const std::string installed = kInstallDir + name;
    bool firstPass = false;
    for (const char* module : kFirstPassModules) firstPass = firstPass || name == module;
    if (firstPass) {
      EXPECT_FALSE(FileExists(installed)) << name;
    } else if (name == "lanzznw6.exe") {
      EXPECT_EQ(!vista, FileExists(installed));
    } else if (name == "lanzlzsr.exe") {
      EXPECT_TRUE(SameBytes(vista ? Payload().at("lanzznw6.exe") : payload, Bytes(installed)));
    } else if (name == "setupw64.exe") {
      EXPECT_NE(payload, Bytes(installed));
      EXPECT_TRUE(SameBytes(StampedModule(payload), Bytes(installed)));
    } else {
      EXPECT_TRUE(SameBytes(payload, Bytes(installed))) << name;
    }
  }
  EXPECT_TRUE(SameBytes(Bytes(kInstallDir + "lanzhu4.ime"), Bytes(kInstallDir + "lanzhu32.ime")));
  EXPECT_TRUE(SameBytes(Bytes(kInstallDir + "lanzcyzk.lz1"), Bytes(kInstallDir + "lanzcyzk.lzu")));
  EXPECT_TRUE(SameBytes(Bytes(kInstallDir + "lanzpyck.lz1"), Bytes(kInstallDir + "lanzpyck.lzu")));
  EXPECT_TRUE(GetFileAttributesA((kInstallDir + "filer").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_GE(FilesIn(kInstallDir), 74);
}

TEST_F(SilentInstall, WritesTheConfigurationFilesOfTheWubiEdition) {
  EXPECT_EQ(std::string("LZWBPYBZ=0\0", 11), Bytes(kInstallDir + "wbpybz.lzh"));
  EXPECT_EQ(
      "LZNETURL1=\r\nLZNETURL2=\r\nLZNETTIME=1\r\nLZBJTIME=7\r\nLZWYTIME=3\r\nLZSJOFF=0\r\n"
      "LZNETTIME0=0\r\nLZBJTIME0=0\r\nLZNEONE=1\r\n",
      Bytes(kInstallDir + "lznetsj.dat"));
}

TEST_F(SilentInstall, PlacesTheFullModulesAndTheUninstallerInTheSystemDirectories) {
  const std::string windows = WindowsDir();
  if (!CurrentConfig().windows64) {
    EXPECT_TRUE(SameBytes(Payload().at("lanzhu4.ime"), Bytes(SystemDir() + "\\lanzhu4.ime")));
    EXPECT_TRUE(SameBytes(Payload().at("lanzdel.exe"), Bytes(SystemDir() + "\\lanzdel.exe")));
    return;
  }
  // This test is a 32-bit program too: the real system directory is its
  // "sysnative", and "system32" would show it SysWOW64.
  EXPECT_TRUE(SameBytes(Payload().at("lanzhu32.ime"), Bytes(windows + "\\syswow64\\lanzhu4.ime")));
  EXPECT_TRUE(SameBytes(Payload().at("lanzhu64.ime"), Bytes(windows + "\\sysnative\\lanzhu4.ime")));
  EXPECT_TRUE(SameBytes(Payload().at("lzqdel64.exe"), Bytes(windows + "\\sysnative\\lanzdel.exe")));
  EXPECT_FALSE(FileExists(windows + "\\syswow64\\lanzdel.exe"));
}

// The browser token, as the installer's 32-bit view shows it.
std::wstring UserAgentToken() {
  return ReadTextW(HKEY_LOCAL_MACHINE,
                   L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\"
                   L"User Agent\\Post Platform",
                   L"lzsr7300");
}

TEST_F(SilentInstall, WritesTheRegistryEntries) {
  std::string path;
  ASSERT_TRUE(ReadPathValue(&path));
  EXPECT_EQ(kInstallDir, path);
  EXPECT_EQ(kInstallDir, Bytes(WindowsDir() + "\\lanzpath.lzh"));

  const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb";
  EXPECT_EQ(L"岚舟五笔", ReadTextW(HKEY_LOCAL_MACHINE, kUninstall, L"DisplayName"));
  EXPECT_EQ(FromUtf8(SystemDir()) + L"\\lanzdel.exe",
            ReadTextW(HKEY_LOCAL_MACHINE, kUninstall, L"UninstallString"));
  EXPECT_EQ(L"\"c:\\lanzhu2\\lanzlzsr.exe\" lz", StartUpValue());
  EXPECT_EQ(L"", UserAgentToken());
  if (CurrentConfig().windows64) {
    // setupw64.exe, a 64-bit program, persisted the directory in its own view.
    std::string native;
    ASSERT_TRUE(ReadPathValue(&native, KEY_WOW64_64KEY));
    EXPECT_EQ(kInstallDir, native);
  }
}

TEST_F(SilentInstall, RegistersTheImeAsAKeyboardLayout) {
  int ours = 0;
  for (const std::wstring& key : KeyboardLayoutKeys()) {
    std::wstring text = ReadTextW(HKEY_LOCAL_MACHINE, key.c_str(), L"Layout Text");
    std::wstring file = ReadTextW(HKEY_LOCAL_MACHINE, key.c_str(), L"Ime File");
    for (wchar_t& c : file) c = towlower(c);
    if (text.rfind(L"智能岚舟输入平台", 0) == 0 && file.find(L"lanzhu4.ime") != std::wstring::npos) {
      ++ours;
    }
  }
  EXPECT_GE(ours, 1);
}

// A start-up key that an administrator made read-only: the installer leaves
// it as it is and everything after it is still installed.
TEST(SilentInstallRefused, AStartUpKeyThatCannotBeWrittenIsSkipped) {
  const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  HKEY run;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRun, 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &run, nullptr));
  RegCloseKey(run);
  AllowOnly(HKEY_LOCAL_MACHINE, kRun, "D:(A;;KR;;;WD)");

  EXPECT_EQ(0u, InstallSilently(BuildProgram("LANZ_SETUP_EXE"), nullptr));
  EXPECT_EQ(L"(no value)", StartUpValue());
  EXPECT_EQ(L"", UserAgentToken());
  EXPECT_TRUE(FileExists("c:\\lanzhu2\\lanzhu4.ime"));
  EXPECT_TRUE(FileExists(SystemDir() + "\\lanzhu4.ime"));
}

}  // namespace
