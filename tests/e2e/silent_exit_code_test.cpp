#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "installer_run.h"
#include "payload_entries.h"
#include "test_support.h"

// How a silent installation that is not whole ends, as a deployment tool sees
// it: the exit code, the log that "loglz32=" asks for, and the boxes that
// single steps show (none of its own). One scenario per row, each in a prefix
// of its own: the row's name is its suite.

namespace {

struct Scenario {
  const char* suite;
  std::function<void()> prepare;     // what the machine holds before
  std::vector<std::wstring> boxes;   // "caption: text" of each box, in turn
  DWORD exitCode;
  std::vector<std::string> log;      // found in the log, in this order
  std::function<void()> check;       // what else holds afterwards
};

void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)); }

const char kOldAddresses[] = "LZNETURL1=www.kept.example\r\n";

const Scenario kScenarios[] = {
    // A program holds the earlier module loaded: not deletable, only movable.
    {"SilentExitFileInUse",
     [] {
       ASSERT_TRUE(WriteBytes(SystemDir() + "\\lanzhu4.ime", Payload().at("lanzhu4.ime")));
       ASSERT_NE(nullptr, LoadLibraryA((SystemDir() + "\\lanzhu4.ime").c_str()));
     },
     {}, 3010,
     {"restart needed: C:\\windows\\system32\\lanzhu4.ime was in use and moved aside to "
      "C:\\windows\\system32\\lanzhu2.ime",
      "result: exit code 3010 (complete after a restart)"},
     [] { EXPECT_EQ(Payload().at("lanzhu4.ime"), Bytes(SystemDir() + "\\lanzhu4.ime")); }},
    {"SilentExitExtraction", [] { MakeDir("c:\\lanzhu2"); MakeDir("c:\\lanzhu2\\lzzt1.bmp"); },
     {L"智能岚舟安装: 没有成功解压复制lzzt1.bmp文件！请重新下载安装。",
      L"智能岚舟(岚舟五笔)安装: 文件解压不完整，请到智能岚舟网站http://www.lanzhu.example/"
      L"重新下载安装。"},
     1603,
     {"not extracted: lzzt1.bmp", "failed: the payload was not extracted whole"},
     [] {}},
    {"SilentExitSystemCopy", [] { MakeDir(SystemDir() + "\\lanzdel.exe"); },
     {L"智能岚舟(岚舟五笔)安装: 没有成功复制C:\\windows\\system32\\lanzdel.exe文件，"
      L"请退出安装程序并手动删除该文件后重新安装！"},
     1603, {"failed: C:\\windows\\system32\\lanzdel.exe not copied"}, [] {}},
    // A hidden directory is not there whole for the report's check.
    {"SilentExitReport",
     [] { ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", "c:\\.lanzhu\\")); }, {}, 1603,
     {"installation checks: path--c:\\.lanzhu\\--11;",
      "failed: installation check: the installation directory is not there whole"},
     [] {}},
    // The rewrite's sibling cannot be created: the file stays as it was.
    {"SilentExitRewrite",
     [] {
       MakeDir("c:\\lanzhu2");
       ASSERT_TRUE(WriteBytes("c:\\lanzhu2\\lznetsj.dat", kOldAddresses));
       MakeDir("c:\\lanzhu2\\lznetsj.dat~");
     },
     {}, 1603, {"failed: wbpybz.lzh and lznetsj.dat not both written"},
     [] {
       EXPECT_EQ(kOldAddresses, Bytes("c:\\lanzhu2\\lznetsj.dat"));
       EXPECT_EQ(std::string("LZWBPYBZ=0\0", 11), Bytes("c:\\lanzhu2\\wbpybz.lzh"));
     }},
    // The path record cannot be rewritten: the administrator probe fails.
    {"SilentExitNoAdmin",
     [] {
       const std::string record = WindowsDir() + "\\lanzpath.lzh";
       ASSERT_TRUE(WriteBytes(record, "d:\\old\\"));
       ASSERT_NE(INVALID_HANDLE_VALUE, CreateFileA(record.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
     },
     {}, 1603, {"failed: no administrator rights", "result: exit code 1603 (not completed)"},
     [] { EXPECT_FALSE(FileExists("c:\\lanzhu2\\lanzhu4.ime")); }},
};

class SilentExit : public ::testing::Test {
 public:
  explicit SilentExit(const Scenario& scenario) : scenario_(scenario) {}

  void TestBody() override {
    ClearInstallDirRecords();
    scenario_.prepare();
    if (HasFatalFailure()) return;
    InstallerRun run(L"setlzsrf32 loglz32=c:\\lz.log");
    std::vector<std::wstring> boxes;
    EXPECT_EQ(scenario_.exitCode,
              WaitAnsweringMessageBoxes(run.launched(), L"智能岚舟", 120000, &boxes));
    EXPECT_EQ(scenario_.boxes, boxes);
    const std::string log = Bytes("c:\\lz.log");
    std::size_t at = 0;
    for (const std::string& line : scenario_.log) {
      at = log.find(line, at);
      ASSERT_NE(std::string::npos, at) << "not in order in the log: " << line << "\n" << log;
    }
    scenario_.check();
  }

 private:
  const Scenario& scenario_;
};

const bool kRegistered = [] {
  for (const Scenario& scenario : kScenarios) {
    ::testing::RegisterTest(scenario.suite, "EndsWithItsExitCodeAndLog", nullptr, nullptr,
                            __FILE__, __LINE__,
                            [&scenario]() -> ::testing::Test* { return new SilentExit(scenario); });
  }
  return true;
}();

}  // namespace
