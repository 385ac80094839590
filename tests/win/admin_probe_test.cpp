#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/install_dir.h"
#include "system/admin_probe.h"
#include "test_support.h"

namespace {

const std::string kPathFile = WindowsDir() + "\\lanzpath.lzh";

class AdminProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearInstallDirRecords();
    std::memset(InstallDir, 0, sizeof InstallDir);
  }
  void TearDown() override { ClearInstallDirRecords(); }
};

TEST_F(AdminProbe, WithRightsTheRecordsEndUpNamingTheResolvedDirectory) {
  std::strcpy(InstallDir, "d:\\mine");
  EXPECT_EQ(0, LacksAdminRights());
  EXPECT_STREQ(CurrentConfig().majorVersion >= 6 ? "d:\\mine\\" : "d:\\mine", InstallDir);

  std::string bytes;
  if (CurrentConfig().majorVersion < 6) {
    // XP is never probed, so nothing was written.
    EXPECT_FALSE(FileExists(kPathFile));
    EXPECT_FALSE(ReadPathValue(&bytes));
    return;
  }
  ASSERT_TRUE(ReadBytes(kPathFile, &bytes));
  EXPECT_EQ("d:\\mine\\", bytes);
  ASSERT_TRUE(ReadPathValue(&bytes));
  EXPECT_EQ("d:\\mine\\", bytes);
  ASSERT_TRUE(ReadBytes("c:\\lanzhu\\lanzpath.lzh", &bytes));
  EXPECT_EQ("d:\\mine\\", bytes);
}

TEST_F(AdminProbe, APathFileThatCannotBeOverwrittenMeansMissingRights) {
  ASSERT_TRUE(WriteBytes(kPathFile, "d:\\old\\"));
  // Another program holds the old record open for reading only, as a file
  // the user may not write behaves for the installer.
  HANDLE held = CreateFileA(kPathFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  std::strcpy(InstallDir, "c:\\lanzhu2\\");
  const int lacks = LacksAdminRights();
  CloseHandle(held);

  EXPECT_EQ(CurrentConfig().majorVersion >= 6 ? 1 : 0, lacks);
  EXPECT_STREQ("c:\\lanzhu2\\", InstallDir);
  std::string bytes;
  ASSERT_TRUE(ReadBytes(kPathFile, &bytes));
  EXPECT_EQ("d:\\old\\", bytes);
}

}  // namespace
