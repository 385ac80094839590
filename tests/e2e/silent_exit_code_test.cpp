#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer_run.h"
#include "payload_entries.h"
#include "test_support.h"

// How a silent installation ended, as a deployment tool sees it: the exit
// code, the log that "loglz32=" asks for, and the boxes that other steps show
// (none of its own). One scenario per row, each in a prefix of its own: the
// row's name is its suite.

namespace {

struct Scenario {
  const char* suite;
  void (*prepare)();                 // what the machine holds before
  std::vector<std::wstring> boxes;   // "caption: text" of each box, in turn
  DWORD exitCode;
  std::vector<std::string> logLines;  // found in the log, in this order
  void (*check)();                    // what else must hold afterwards
};

void Nothing() {}

void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)); }

// A program holds the earlier IME module loaded: it cannot be deleted or
// overwritten, only moved aside.
void LoadEarlierModule() {
  const std::string module = SystemDir() + "\\lanzhu4.ime";
  ASSERT_TRUE(WriteBytes(module, Payload().at("lanzhu4.ime")));
  ASSERT_NE(nullptr, LoadLibraryA(module.c_str()));
}

void BlockExtraction() {
  MakeDir("c:\\lanzhu2");
  MakeDir("c:\\lanzhu2\\lzzt1.bmp");
}

void BlockUninstallerCopy() { MakeDir(SystemDir() + "\\lanzdel.exe"); }

// A hidden directory is not there whole for the report's check.
void RecordHiddenDir() { ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", "c:\\.lanzhu\\")); }

const char kOldAddresses[] = "LZNETURL1=www.kept.example\r\n";

// The rewrite's sibling cannot be created.
void BlockAddressRewrite() {
  MakeDir("c:\\lanzhu2");
  ASSERT_TRUE(WriteBytes("c:\\lanzhu2\\lznetsj.dat", kOldAddresses));
  MakeDir("c:\\lanzhu2\\lznetsj.dat~");
}

// The path record cannot be rewritten: the administrator probe fails.
void HoldPathRecord() {
  const std::string record = WindowsDir() + "\\lanzpath.lzh";
  ASSERT_TRUE(WriteBytes(record, "d:\\old\\"));
  ASSERT_NE(INVALID_HANDLE_VALUE, CreateFileA(record.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
}

const Scenario kScenarios[] = {
    {"SilentExitWhole", Nothing, {}, 0,
     {"setup.exe started: setlzsrf32 loglz32=c:\\lz.log", "installation directory c:\\lanzhu2\\",
      "payload extracted into c:\\lanzhu2\\", "first file pass done", "second file pass done",
      "installation checks: path--c:\\lanzhu2\\--14;F--79;FR1--1400;FR2--1400;FR3--1400;",
      "result: exit code 0 (complete)"},
     [] { EXPECT_EQ(Payload().at("lanzhu4.ime"), Bytes(SystemDir() + "\\lanzhu4.ime")); }},
    {"SilentExitFileInUse", LoadEarlierModule, {}, 3010,
     {"restart needed: C:\\windows\\system32\\lanzhu4.ime was in use and moved aside to "
      "C:\\windows\\system32\\lanzhu2.ime",
      "result: exit code 3010 (complete after a restart)"},
     [] { EXPECT_EQ(Payload().at("lanzhu4.ime"), Bytes(SystemDir() + "\\lanzhu4.ime")); }},
    {"SilentExitExtraction", BlockExtraction,
     {L"智能岚舟安装: 没有成功解压复制lzzt1.bmp文件！请重新下载安装。",
      L"智能岚舟(岚舟五笔)安装: 文件解压不完整，请到智能岚舟网站http://www.lanzhu.example/"
      L"重新下载安装。"},
     1603,
     {"not extracted: lzzt1.bmp", "failed: the payload was not extracted whole",
      "result: exit code 1603 (not completed)"},
     Nothing},
    {"SilentExitSystemCopy", BlockUninstallerCopy,
     {L"智能岚舟(岚舟五笔)安装: 没有成功复制C:\\windows\\system32\\lanzdel.exe文件，"
      L"请退出安装程序并手动删除该文件后重新安装！"},
     1603, {"failed: C:\\windows\\system32\\lanzdel.exe not copied", "exit code 1603"}, Nothing},
    {"SilentExitReport", RecordHiddenDir, {}, 1603,
     {"installation checks: path--c:\\.lanzhu\\--11;",
      "failed: installation check: the installation directory is not there whole",
      "exit code 1603"},
     Nothing},
    {"SilentExitRewrite", BlockAddressRewrite, {}, 1603,
     {"failed: wbpybz.lzh and lznetsj.dat not both written", "exit code 1603"},
     [] {
       EXPECT_EQ(kOldAddresses, Bytes("c:\\lanzhu2\\lznetsj.dat"));
       EXPECT_EQ(std::string("LZWBPYBZ=0\0", 11), Bytes("c:\\lanzhu2\\wbpybz.lzh"));
     }},
    {"SilentExitNoAdmin", HoldPathRecord, {}, 1603,
     {"failed: no administrator rights", "result: exit code 1603 (not completed)"},
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
    ASSERT_TRUE(run.started());
    std::vector<std::wstring> boxes;
    EXPECT_EQ(scenario_.exitCode,
              WaitAnsweringMessageBoxes(run.launched(), L"智能岚舟", 120000, &boxes));
    EXPECT_EQ(scenario_.boxes, boxes);
    const std::string log = Bytes("c:\\lz.log");
    std::size_t at = 0;
    for (const std::string& line : scenario_.logLines) {
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
