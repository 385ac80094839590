// Directory records the installer must not believe, a directory that is a
// link, a name ending in a second byte 0x5C: one run of the real setup.exe
// per row, each row a suite of its own and so in a fresh prefix.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer_run.h"
#include "test_support.h"

namespace {

const std::string kPathFile = WindowsDir() + "\\lanzpath.lzh";
const std::string kSpareFile = "c:\\lanzhu\\lanzpath.lzh";

enum class Record { kInPathFile, kInValue, kInSpareFile, kNowhere };

struct Scenario {
  const char* suite;
  Record record;
  std::string bytes;
  DWORD valueType;
  const wchar_t* arguments;
  std::string installDir;  // every record names it afterwards
  bool installs;
};

const Scenario kScenarios[] = {
    {"RecordEmptyPathFile", Record::kInPathFile, "", 0, L"setlzsrf32", "c:\\lanzhu2\\", true},
    {"RecordNulPathFile", Record::kInPathFile, std::string(8, '\0'), 0, L"setlzsrf32",
     "c:\\lanzhu2\\", true},
    {"RecordParentPathFile", Record::kInPathFile, "..\\..\\", 0, L"setlzsrf32", "c:\\lanzhu2\\",
     true},
    {"RecordDwordValue", Record::kInValue, "c:\\dword\\", REG_DWORD, L"setlzsrf32", "c:\\lanzhu2\\",
     true},
    {"RecordExpandValue", Record::kInValue, "c:\\expand\\", REG_EXPAND_SZ, L"setlzsrf32",
     "c:\\lanzhu2\\", true},
    {"RecordOverlongPathFile", Record::kInPathFile, "c:\\" + std::string(196, 'a') + "\\", 0,
     L"setlzsrf32", "c:\\lanzhu2\\", true},
    {"RecordSpareOnly", Record::kInSpareFile, "c:\\", 0, L"setlzsrf32", "c:\\lanzhu2\\", true},
    {"RecordRegistrationArgument", Record::kNowhere, "", 0, L"reglz32=c:\\", "c:\\lanzhu2\\", false},
    // 許 in Big5 is B3 5C.
    {"TrailByteInstallDir", Record::kInPathFile, "c:\\\xB3\x5C\\", 0, L"setlzsrf32",
     "c:\\\xB3\x5C\\", true},
};

// Runs setup.exe, answering the boxes of registration and of setupw64.exe,
// which rewrites the records too and may say so after setup.exe has ended.
DWORD RunInstaller(const std::wstring& arguments, bool waitForSetupw64) {
  InstallerRun run(arguments);
  std::vector<std::wstring> answered;
  const DWORD code = WaitAnsweringMessageBoxes(run.launched(), L"智能岚舟", 120000, &answered);
  if (waitForSetupw64 && CurrentConfig().windows64 && answered.empty()) {
    if (HWND box = WaitForMessageBoxTitled(L"智能岚舟", 30000)) AnswerMessageBox(box, IDOK);
  }
  return code;
}

bool Plant(const Scenario& row) {
  switch (row.record) {
    case Record::kInPathFile: return WriteBytes(kPathFile, row.bytes);
    case Record::kInValue: return WritePathValue(row.bytes, row.valueType);
    case Record::kInSpareFile: return WriteBytes(kSpareFile, row.bytes);
    default: return true;
  }
}

class DirRecordScenario : public ::testing::Test {
 public:
  explicit DirRecordScenario(const Scenario& row) : row_(row) {}
  void TestBody() override {
    ClearInstallDirRecords();
    CreateDirectoryA("c:\\lanzhu", nullptr);
    ASSERT_TRUE(Plant(row_));
    EXPECT_EQ(0u, RunInstaller(row_.arguments, row_.installs));

    std::string bytes;
    EXPECT_TRUE(ReadBytes(kPathFile, &bytes) && bytes == row_.installDir) << bytes;
    EXPECT_TRUE(ReadPathValue(&bytes) && bytes == row_.installDir) << bytes;
    if (CurrentConfig().majorVersion >= 6) {
      EXPECT_TRUE(ReadBytes(kSpareFile, &bytes) && bytes == row_.installDir) << bytes;
    }
    EXPECT_EQ(row_.installs, FileExists(row_.installDir + "lanzhu4.ime"));
    // Nothing lands in C:\ itself, under whatever name.
    WIN32_FIND_DATAA stray;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA("c:\\*.ime", &stray)) << stray.cFileName;
  }

 private:
  const Scenario& row_;
};

const bool kRegistered = [] {
  for (const Scenario& row : kScenarios) {
    ::testing::RegisterTest(row.suite, "InstallsOnlyWhereItShould", nullptr, nullptr, __FILE__,
                            __LINE__, [&row]() -> DirRecordScenario* {
                              return new DirRecordScenario(row);
                            });
  }
  return true;
}();

// The default directory is a link: the silent installation is left undone,
// its log says why, and nothing lands where the link points.
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

}  // namespace
