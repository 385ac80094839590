#include <gtest/gtest.h>

#include <string>

#include "installer_run.h"
#include "test_support.h"

namespace {

// setupw64.exe, the 64-bit build that the installer starts on 64-bit
// Windows, in its registration mode.
class Setupw64 : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearInstallDirRecords();
  }
  void TearDown() override { ClearInstallDirRecords(); }

  static Outcome Run(const std::wstring& arguments) {
    return RunWith(arguments, BuildProgram("LANZ_SETUPW64_EXE"));
  }
  // A 64-bit program persists the directory in the 64-bit registry view.
  static std::string Persisted() {
    std::string path;
    EXPECT_TRUE(ReadPathValue(&path, KEY_WOW64_64KEY));
    std::string file;
    EXPECT_TRUE(ReadBytes(WindowsDir() + "\\lanzpath.lzh", &file));
    EXPECT_EQ(path, file);
    return path;
  }
};

int KeyboardLayoutCount() {
  HKEY layouts;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Keyboard Layouts", 0,
                    KEY_READ, &layouts) != ERROR_SUCCESS) {
    return 0;
  }
  DWORD count = 0;
  RegQueryInfoKeyA(layouts, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(layouts);
  return static_cast<int>(count);
}

TEST_F(Setupw64, RegistersTheImeForTheDirectoryItIsGiven) {
  const int before = KeyboardLayoutCount();
  EXPECT_EQ(Outcome::kRegistered, Run(L"reglz32=d:\\lanzhu2\\"));
  EXPECT_EQ("d:\\lanzhu2\\", Persisted());
  EXPECT_EQ(before + 1, KeyboardLayoutCount());
}

TEST_F(Setupw64, TakesTheDirectoryOnlyFromTheExactLowerCaseForm) {
  EXPECT_EQ(Outcome::kRegistered, Run(L"REGLZ32=d:\\lanzhu2\\"));
  EXPECT_EQ("c:\\lanzhu2\\", Persisted());
  ClearInstallDirRecords();
  EXPECT_EQ(Outcome::kRegistered, Run(L"/norestart reglz32=d:\\lanzhu2\\"));
  EXPECT_EQ("c:\\lanzhu2\\", Persisted());
  // "reglz32" wins over the silent keyword: nothing is installed.
  ClearInstallDirRecords();
  EXPECT_EQ(Outcome::kRegistered, Run(L"setlzsrf32 reglz32"));
  EXPECT_FALSE(FileExists("c:\\lanzhu2\\lanzhu4.ime"));
}

}  // namespace
