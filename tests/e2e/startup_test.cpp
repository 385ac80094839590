#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer_run.h"
#include "test_support.h"

namespace {

const std::string kPathFile = WindowsDir() + "\\lanzpath.lzh";

// What the user sees of the three records after a run.
struct Records {
  bool pathFile, registry, spare;
  std::string pathFileText, registryText, spareText;
};

Records ReadRecords() {
  Records records;
  records.pathFile = ReadBytes(kPathFile, &records.pathFileText);
  records.registry = ReadPathValue(&records.registryText);
  records.spare = ReadBytes("c:\\lanzhu\\lanzpath.lzh", &records.spareText);
  return records;
}

void ExpectRecordsName(const std::string& dir) {
  const Records records = ReadRecords();
  EXPECT_TRUE(records.pathFile && records.registry && records.spare);
  EXPECT_EQ(dir, records.pathFileText);
  EXPECT_EQ(dir, records.registryText);
  EXPECT_EQ(dir, records.spareText);
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override { ClearInstallDirRecords(); }
  void TearDown() override { ClearInstallDirRecords(); }
};

using WizardWindow = Installer;
using StartUpRecords = Installer;
using CommandLine = Installer;
using AdminMessage = Installer;

std::wstring ExpectedTitle() {
  if (CurrentConfig().oemCodePage == 950) return L"智能嵐舟系統安裝";
  return CurrentConfig().windows64 ? L"智能岚舟系统安装3264" : L"智能岚舟系统安装32";
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

TEST_F(WizardWindow, OpensWithItsDataModelAndClosesWithExitCode0) {
  InstallerRun run;
  ASSERT_TRUE(run.started());
  HWND wizard = run.WaitForWizard();
  ASSERT_NE(nullptr, wizard);

  EXPECT_EQ(ExpectedTitle(), WindowText(wizard));
  RECT frame;
  GetWindowRect(wizard, &frame);
  EXPECT_EQ(400, frame.right - frame.left);
  EXPECT_EQ(310, frame.bottom - frame.top);
  // Centred horizontally, and vertically as if it were 300 high.
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 400) / 2, frame.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 300) / 2, frame.top);

  const LONG style = GetWindowLongW(wizard, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(0, GetWindowLongW(wizard, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);

  // The three input lines: hidden, borderless, one blank each.
  const std::vector<HWND> lines = ChildWindows(wizard);
  ASSERT_EQ(3u, lines.size());
  std::vector<std::pair<LONG, LONG>> positions;
  for (HWND line : lines) {
    EXPECT_EQ(L"Edit", ClassName(line));
    EXPECT_FALSE(IsWindowVisible(line));
    EXPECT_FALSE(GetWindowLongW(line, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(L" ", WindowText(line));
    RECT rect;
    GetWindowRect(line, &rect);
    MapWindowPoints(nullptr, wizard, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(230, rect.right - rect.left);
    EXPECT_EQ(20, rect.bottom - rect.top);
    positions.push_back({rect.left, rect.top});
  }
  for (const auto& expected : {std::make_pair(120L, 195L), std::make_pair(130L, 195L),
                               std::make_pair(130L, 165L)}) {
    EXPECT_NE(positions.end(), std::find(positions.begin(), positions.end(), expected))
        << expected.first << "," << expected.second;
  }

  PostMessageW(wizard, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, run.WaitForExit());
}

TEST_F(StartUpRecords, NameTheDefaultOnAFirstStartOfVistaAndLater) {
  ASSERT_EQ(Outcome::kWizard, RunWith(L""));

  if (CurrentConfig().majorVersion >= 6) {
    ExpectRecordsName("c:\\lanzhu2\\");
  } else {
    const Records records = ReadRecords();
    EXPECT_FALSE(records.pathFile || records.registry || records.spare);
  }
}

TEST_F(StartUpRecords, KeepAnEarlierInstallationsDirectory) {
  ASSERT_TRUE(WriteBytes(kPathFile, "e:\\old\\"));
  ASSERT_EQ(Outcome::kWizard, RunWith(L""));
  if (CurrentConfig().majorVersion >= 6) {
    ExpectRecordsName("e:\\old\\");
  } else {
    std::string text;
    ASSERT_TRUE(ReadBytes(kPathFile, &text));
    EXPECT_EQ("e:\\old\\", text);
  }
}

TEST_F(CommandLine, SilentKeywordInAnyCaseEndsWithoutAWindow) {
  EXPECT_EQ(Outcome::kWizard, RunWith(L""));
  EXPECT_EQ(Outcome::kEndsAlone, RunWith(L"setlzsrf32"));
  EXPECT_EQ(Outcome::kEndsAlone, RunWith(L"/q SetLzSrF32"));
  EXPECT_EQ(Outcome::kWizard, RunWith(L"setlzsrf3"));
}

TEST_F(CommandLine, RegistrationModeOnlyOn64BitWindows7) {
  const Outcome onThisWindows = CurrentConfig().windows64 ? Outcome::kRegistered : Outcome::kWizard;
  EXPECT_EQ(onThisWindows, RunWith(L"reglz32=d:\\lanzhu2\\"));
  if (CurrentConfig().windows64) ExpectRecordsName("d:\\lanzhu2\\");
  // "reglz32" wins over "setlzsrf32", so 32-bit Windows opens the wizard.
  EXPECT_EQ(onThisWindows, RunWith(L"setlzsrf32 reglz32"));
}

TEST_F(CommandLine, RegistrationDirectoryOnlyFromTheExactLowerCaseForm) {
  if (!CurrentConfig().windows64) GTEST_SKIP() << "registration mode needs 64-bit Windows 7";
  EXPECT_EQ(Outcome::kRegistered, RunWith(L"reglz32=d:\\lanzhu3\\"));
  ExpectRecordsName("d:\\lanzhu3\\");

  // Upper case enters the mode but the directory resolved at start is kept.
  ClearInstallDirRecords();
  EXPECT_EQ(Outcome::kRegistered, RunWith(L"REGLZ32=d:\\lanzhu2\\"));
  ExpectRecordsName("c:\\lanzhu2\\");

  // The first lower-case "r" lies in "norestart": only that one is tried.
  ClearInstallDirRecords();
  EXPECT_EQ(Outcome::kRegistered, RunWith(L"/norestart reglz32=d:\\lanzhu2\\"));
  ExpectRecordsName("c:\\lanzhu2\\");
}

TEST_F(CommandLine, OverlongAndNonAsciiCommandLinesDoNoHarm) {
  // A directory too long for InstallDir is ignored, never cut or overrun.
  if (CurrentConfig().windows64) {
    EXPECT_EQ(Outcome::kRegistered, RunWith(L"reglz32=d:\\" + std::wstring(250, L'x') + L"\\"));
    ExpectRecordsName("c:\\lanzhu2\\");
  }
  std::wstring noise;
  for (int i = 0; i < 600; ++i) noise += L"岚舟é\x00A0ÿ ";
  EXPECT_EQ(Outcome::kEndsAlone, RunWith(noise + L" SETLZSRF32 " + noise));
  EXPECT_EQ(Outcome::kWizard, RunWith(noise));
}

TEST_F(AdminMessage, ShownWhenThePathRecordCannotBeRewritten) {
  ASSERT_TRUE(WriteBytes(kPathFile, "d:\\old\\"));
  HANDLE held = CreateFileA(kPathFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  InstallerRun run;
  if (CurrentConfig().majorVersion < 6) {
    // XP is never probed: the wizard opens.
    HWND wizard = run.WaitForWizard();
    EXPECT_NE(nullptr, wizard);
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
    CloseHandle(held);
    return;
  }
  ExpectMessageAndAnswer(run, L"智能岚舟",
                         L"本安装程序需要以管理员权限运行，请退出后重新以管理员权限运行。"
                         L"（运行方式为：用鼠标右键点击安装程序，在弹出菜单中点击“以管理员身份运行”）",
                         15000);
  EXPECT_EQ(nullptr, run.WaitForWizard(0));
  EXPECT_EQ(0u, run.WaitForExit());
  CloseHandle(held);
}

}  // namespace
