#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/install_dir.h"
#include "system/platform.h"
#include "system/seams.h"
#include "test_support.h"

namespace {

const std::string kPathFile = WindowsDir() + "\\lanzpath.lzh";
const std::string kSpareOnC = "c:\\lanzhu\\lanzpath.lzh";

// Only a zeroed buffer is unresolved: "\0:\..." still counts as resolved.
void Unresolve() { std::memset(InstallDir, 0, sizeof InstallDir); }

class InstallDirRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearInstallDirRecords();
    Unresolve();
    IsWindows64();
  }
  void TearDown() override { ClearInstallDirRecords(); }
};

TEST_F(InstallDirRecords, ResolvesTheRecordsInTheirOrderOfPreference) {
  EXPECT_STREQ("c:\\lanzhu2\\", ResolveInstallDir());

  CreateDirectoryA("c:\\lanzhu", nullptr);
  ASSERT_TRUE(WriteBytes(kSpareOnC, "d:\\spare\\"));
  Unresolve();
  EXPECT_STREQ("d:\\spare\\", ResolveInstallDir());

  ASSERT_TRUE(WritePathValue("d:\\registry\\"));
  Unresolve();
  EXPECT_STREQ("d:\\registry\\", ResolveInstallDir());

  // The path file wins even when the registry names another directory.
  ASSERT_TRUE(WriteBytes(kPathFile, "d:\\file\\"));
  Unresolve();
  EXPECT_STREQ("d:\\file\\", ResolveInstallDir());
}

TEST_F(InstallDirRecords, LeavesAResolvedDirectoryAlone) {
  ASSERT_TRUE(WriteBytes(kPathFile, "d:\\file\\"));
  std::strcpy(InstallDir, "e:\\mine\\");
  EXPECT_STREQ("e:\\mine\\", ResolveInstallDir());
}

// What each record holds, "-" where there is none.
struct RecordCase {
  std::string pathFile;
  std::string value;
  DWORD valueType;
  std::string spare;
  std::string resolved;
};

const RecordCase kRecordCases[] = {
    // A record that holds no directory is skipped: the next one is read.
    {"relative", "d:\\registry\\", REG_SZ, "-", "d:\\registry\\"},
    {"-", std::string("d:\\stored\\\0", 11), REG_SZ, "-", "d:\\stored\\"},
    {"-", "-", REG_SZ, "d:\\spare\\", "d:\\spare\\"},
    // Anyone may write the spare file: beside any other record it is ignored.
    {"", "-", REG_SZ, "d:\\spare\\", "c:\\lanzhu2\\"},
    {"-", "c:\\" + std::string(400, 'r') + "\\", REG_SZ, "d:\\spare\\", "c:\\lanzhu2\\"},
};

TEST_F(InstallDirRecords, BelievesOnlyRecordsThatHoldADirectory) {
  CreateDirectoryA("c:\\lanzhu", nullptr);
  for (const RecordCase& row : kRecordCases) {
    SCOPED_TRACE(row.pathFile + " | " + row.value.substr(0, 20) + " | " + row.spare);
    ClearInstallDirRecords();
    EXPECT_TRUE(row.pathFile == "-" || WriteBytes(kPathFile, row.pathFile));
    EXPECT_TRUE(row.value == "-" || WritePathValue(row.value, row.valueType));
    EXPECT_TRUE(row.spare == "-" || WriteBytes(kSpareOnC, row.spare));
    Unresolve();
    EXPECT_EQ(row.resolved, ResolveInstallDir());
  }
}

TEST_F(InstallDirRecords, PersistsTheSameCharactersInEveryRecord) {
  std::strcpy(InstallDir, "d:\\lanzhu2");
  PersistInstallDir();
  EXPECT_STREQ("d:\\lanzhu2\\", InstallDir);

  std::string bytes;
  ASSERT_TRUE(ReadBytes(kPathFile, &bytes));
  EXPECT_EQ("d:\\lanzhu2\\", bytes);  // no terminator, no line end
  ASSERT_TRUE(ReadPathValue(&bytes));
  EXPECT_EQ("d:\\lanzhu2\\", bytes);
  EXPECT_STREQ(SystemDir().c_str(), SharedDirBuffer);

  // Vista and later keep a third copy on the first fixed drive; XP does not.
  const bool spare = ReadBytes(kSpareOnC, &bytes);
  EXPECT_EQ(CurrentConfig().majorVersion >= 6, spare);
  if (spare) {
    EXPECT_EQ("d:\\lanzhu2\\", bytes);
  }

  // A 32-bit installer on 64-bit Windows writes the 32-bit registry view.
  if (CurrentConfig().windows64) {
    EXPECT_FALSE(ReadPathValue(&bytes, KEY_WOW64_64KEY));
  }

  Unresolve();
  EXPECT_STREQ("d:\\lanzhu2\\", ResolveInstallDir());
}

TEST_F(InstallDirRecords, PersistingAFullBufferNeverOverrunsIt) {
  const std::string full = "c:\\" + std::string(kInstallDirMaxChars - 3, 'x');
  std::strcpy(InstallDir, full.c_str());
  PersistInstallDir();
  EXPECT_EQ(full, std::string(InstallDir));
  std::string bytes;
  ASSERT_TRUE(ReadBytes(kPathFile, &bytes));
  EXPECT_EQ(full, bytes);
}

class SpareDir : public InstallDirRecords {
 protected:
  void TearDown() override {
    Platform.GetDriveTypeA = ::GetDriveTypeA;
    InstallDirRecords::TearDown();
  }
};

UINT WINAPI OnlyEFixed(LPCSTR root) { return root[0] == 'e' ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR; }
UINT WINAPI NoFixedDrive(LPCSTR) { return DRIVE_REMOTE; }

TEST_F(SpareDir, IsOnTheFirstFixedDriveFromGDownToC) {
  char spare[kInstallDirSize];
  ::SpareDir(spare);
  EXPECT_STREQ("c:\\lanzhu\\", spare);  // D: to G: have no root in a fresh prefix

  Platform.GetDriveTypeA = OnlyEFixed;
  ::SpareDir(spare);
  EXPECT_STREQ("e:\\lanzhu\\", spare);
}

TEST_F(SpareDir, WithoutAFixedDriveTheBareFileNameIsUsed) {
  if (CurrentConfig().majorVersion < 6) GTEST_SKIP() << "XP writes no spare file";
  char here[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, here);
  ASSERT_TRUE(SetCurrentDirectoryA(here));
  RemoveFile("lanzpath.lzh");
  Platform.GetDriveTypeA = NoFixedDrive;
  char spare[kInstallDirSize];
  ::SpareDir(spare);
  EXPECT_STREQ("", spare);

  std::strcpy(InstallDir, "d:\\nowhere\\");
  PersistInstallDir();
  std::string bytes;
  ASSERT_TRUE(ReadBytes(std::string(here) + "lanzpath.lzh", &bytes));
  EXPECT_EQ("d:\\nowhere\\", bytes);

  ClearInstallDirRecords();
  Unresolve();
  EXPECT_STREQ("d:\\nowhere\\", ResolveInstallDir());
  RemoveFile("lanzpath.lzh");
}

TEST(SpareDriveG, AFixedGIsProbedFirst) {
  ClearInstallDirRecords();
  IsWindows64();
  char spare[kInstallDirSize];
  ::SpareDir(spare);
  EXPECT_STREQ("g:\\lanzhu\\", spare);

  std::strcpy(InstallDir, "c:\\lanzhu2\\");
  PersistInstallDir();
  EXPECT_EQ(CurrentConfig().majorVersion >= 6, FileExists("g:\\lanzhu\\lanzpath.lzh"));
  EXPECT_FALSE(FileExists("c:\\lanzhu\\lanzpath.lzh"));
}

}  // namespace
