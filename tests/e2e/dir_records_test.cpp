// Records of the installation directory that the installer must not believe,
// an installation directory that is a link, and one whose name ends in the
// byte 0x5C of a double-byte character: one run of the real setup.exe per
// row, each row a suite of its own, so in a fresh prefix (CMake registers
// each in the configurations it is run in).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer_run.h"
#include "test_support.h"

namespace {

const std::string kNone = "-";
const std::string kPathFile = WindowsDir() + "\\lanzpath.lzh";
const std::string kSpareFile = "c:\\lanzhu\\lanzpath.lzh";
const std::string kDefaultDir = "c:\\lanzhu2\\";

struct Scenario {
  const char* suite;
  std::string pathFile;
  std::string value;
  DWORD valueType;
  std::string spare;
  std::wstring arguments;
  // Where every record must point and the files must be; "" where the run
  // installs nothing and the records name the default.
  std::string installDir;
  DWORD exitCode;
};

const Scenario kScenarios[] = {
    {"RecordEmptyPathFile", "", kNone, REG_SZ, kNone, L"setlzsrf32", kDefaultDir, 0},
    {"RecordNulPathFile", std::string(8, '\0'), kNone, REG_SZ, kNone, L"setlzsrf32", kDefaultDir,
     0},
    {"RecordParentPathFile", "..\\..\\", kNone, REG_SZ, kNone, L"setlzsrf32", kDefaultDir, 0},
    {"RecordDwordValue", kNone, "c:\\dword\\", REG_DWORD, kNone, L"setlzsrf32", kDefaultDir, 0},
    {"RecordExpandValue", kNone, "c:\\expand\\", REG_EXPAND_SZ, kNone, L"setlzsrf32", kDefaultDir,
     0},
    // Read whole, as once 199 of its bytes were: "c:\aaa…a" without the backslash.
    {"RecordOverlongPathFile", "c:\\" + std::string(196, 'a') + "\\", kNone, REG_SZ, kNone,
     L"setlzsrf32", kDefaultDir, 0},
    {"RecordSpareOnly", kNone, kNone, REG_SZ, "c:\\", L"setlzsrf32", kDefaultDir, 0},
    {"RecordRegistrationArgument", kNone, kNone, REG_SZ, kNone, L"reglz32=c:\\", "", 0},
    // 許 in Big5 is B3 5C.
    {"TrailByteInstallDir", "c:\\\xB3\x5C\\", kNone, REG_SZ, kNone, L"setlzsrf32",
     "c:\\\xB3\x5C\\", 0},
};

void PlantRecords(const Scenario& row) {
  ClearInstallDirRecords();
  CreateDirectoryA("c:\\lanzhu", nullptr);
  EXPECT_TRUE(row.pathFile == kNone || WriteBytes(kPathFile, row.pathFile));
  EXPECT_TRUE(row.value == kNone || WritePathValue(row.value, row.valueType));
  EXPECT_TRUE(row.spare == kNone || WriteBytes(kSpareFile, row.spare));
}

// Runs setup.exe, answering the boxes of registration and of setupw64.exe.
DWORD RunInstaller(const std::wstring& arguments, bool installs) {
  InstallerRun run(arguments);
  EXPECT_TRUE(run.started());
  std::vector<std::wstring> answered;
  const DWORD code = WaitAnsweringMessageBoxes(run.launched(), L"智能岚舟", 120000, &answered);
  // setupw64.exe, which rewrites the records too, may say it is done later.
  if (installs && CurrentConfig().windows64 && answered.empty()) {
    if (HWND box = WaitForMessageBoxTitled(L"智能岚舟", 30000)) AnswerMessageBox(box, IDOK);
  }
  return code;
}

// Every record names `dir`, the files are there when the run installs, and
// nothing of the installation lands in C:\ itself.
void ExpectRecordsAndFilesIn(const std::string& dir, bool installed) {
  std::string bytes;
  EXPECT_TRUE(ReadBytes(kPathFile, &bytes));
  EXPECT_EQ(dir, bytes);
  EXPECT_TRUE(ReadPathValue(&bytes));
  EXPECT_EQ(dir, bytes);
  if (CurrentConfig().majorVersion >= 6) {
    EXPECT_TRUE(ReadBytes(kSpareFile, &bytes));
    EXPECT_EQ(dir, bytes);
  }
  EXPECT_EQ(installed, FileExists(dir + "lanzhu4.ime"));
  EXPECT_EQ(installed, FileExists(dir + "lanzcyzk.lz1"));
  WIN32_FIND_DATAA found;
  HANDLE stray = FindFirstFileA("c:\\*.ime", &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, stray) << found.cFileName;
  if (stray != INVALID_HANDLE_VALUE) FindClose(stray);
}

class DirRecordScenario : public ::testing::Test {
 public:
  explicit DirRecordScenario(const Scenario& row) : row_(row) {}
  void TestBody() override {
    PlantRecords(row_);
    const bool installs = !row_.installDir.empty();
    EXPECT_EQ(row_.exitCode, RunInstaller(row_.arguments, installs));
    ExpectRecordsAndFilesIn(installs ? row_.installDir : kDefaultDir, installs);
  }

 private:
  const Scenario& row_;
};

// The default directory exists as a link: the silent installation leaves it
// undone, says why in its log, and writes nothing where the link points.
TEST(LinkedInstallDir, IsRefusedAndNothingIsWrittenThroughIt) {
  ClearInstallDirRecords();
  ASSERT_TRUE(CreateDirectoryA("c:\\elsewhere", nullptr));
  ASSERT_TRUE(MakeDirLink("lanzhu2", "elsewhere"));
  EXPECT_EQ(1603u, RunInstaller(L"setlzsrf32 loglz32=c:\\run.log", false));
  std::string log;
  EXPECT_TRUE(ReadBytes("c:\\run.log", &log));
  EXPECT_NE(std::string::npos, log.find("c:\\lanzhu2\\ is a link")) << log;
  EXPECT_TRUE(RemoveDirectoryA("c:\\elsewhere"));  // still empty
}

const bool kRegistered = [] {
  for (const Scenario& row : kScenarios) {
    ::testing::RegisterTest(row.suite, "InstallsOnlyWhereItShould", nullptr, nullptr, __FILE__,
                            __LINE__, [&row]() -> DirRecordScenario* {
                              return new DirRecordScenario(row);
                            });
  }
  return true;
}();

}  // namespace
