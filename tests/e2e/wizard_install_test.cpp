#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "installer_run.h"
#include "payload_entries.h"
#include "screenshot.h"
#include "test_support.h"
#include "wizard_tour.h"

namespace {

const std::string kInstallDir = "c:\\lanzhu2\\";

COLORREF WelcomeRow(int y) { return RGB(0, (2 * y - 112) & 0xFF, 250 - 140 * y / 310); }
COLORREF PageRow(int y) { return RGB(150 * y / 310, 255 * y / 310, 250 - 150 * y / 310); }
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Where this configuration's pages are saved, as the prefix sees the build.
std::string ScreenshotDir() {
  const std::string dir =
      WindowsPathOfNative(std::getenv("LANZ_SCREENSHOT_DIR")) + "\\" + CurrentConfig().name;
  CreateDirectoryA(WindowsPathOfNative(std::getenv("LANZ_SCREENSHOT_DIR")).c_str(), nullptr);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// The splash picture's pixel (x, y), top-down, of the payload's bottom-up BMP.
COLORREF SplashPixel(int x, int y) {
  const std::string& bmp = Payload().at("lzsr1.bmp");
  const std::size_t at = 54 + static_cast<std::size_t>(309 - y) * 1204 + 3 * x;
  return RGB(static_cast<unsigned char>(bmp[at + 2]), static_cast<unsigned char>(bmp[at + 1]),
             static_cast<unsigned char>(bmp[at]));
}

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06lx", static_cast<unsigned long>(colour));
  return text;
}

// Reads each page's pixels as it is shown and saves it; what differs from
// the drawing is listed, page by page, for the tests to look at.
class PageReader : public TourObserver {
 public:
  void Page(const std::string& name, HWND wizard) override {
    page_ = name;
    wizard_ = wizard;
    RECT client;
    GetClientRect(wizard, &client);
    expected_.clear();
    if (name == "0-welcome") {
      ExpectWelcome(client.right, client.bottom);
    } else {
      ExpectPage(client.right, client.bottom);
    }
    Read();
    SaveWindowPng(wizard, ScreenshotDir() + "\\" + name + ".png");
  }

  void SkinDialog(HWND dialog) override {
    SaveWindowPng(dialog, ScreenshotDir() + "\\7-skin-dialog.png");
  }

  int MessageBox(HWND box, HWND) override {
    SaveWindowPng(box, ScreenshotDir() + "\\message-" + std::to_string(++boxes_) + ".png");
    return IDOK;
  }

  std::map<std::string, std::vector<std::string>> differences;
  bool overlay = false;

 private:
  struct Expected {
    int x, y;
    COLORREF colour;
  };

  // Another process's window is read from the screen, which now and then
  // lags behind the window's drawing, and the skin dialog may open over the
  // page: the page is read again, whole, until one reading shows it all, for
  // at most five seconds.
  void Read() {
    const DWORD start = GetTickCount();
    std::vector<std::string> seen;
    for (;;) {
      ClientFrame frame;
      CaptureClient(wizard_, &frame);
      seen.clear();
      for (const Expected& expected : expected_) {
        const COLORREF colour = frame.At(expected.x, expected.y);
        if (colour == expected.colour) continue;
        seen.push_back("(" + std::to_string(expected.x) + ", " + std::to_string(expected.y) +
                       ") is " + Hex(colour) + ", not " + Hex(expected.colour));
      }
      if (page_ == "0-welcome") overlay = StripStretched(frame);
      if ((seen.empty() && (overlay || page_ != "0-welcome")) || GetTickCount() - start > 5000) break;
      DWORD process = 0;
      GetWindowThreadProcessId(wizard_, &process);
      if (HWND dialog = WaitForMessageBox(process, 0)) MoveAside(dialog, wizard_);
      Sleep(50);
    }
    differences[page_] = seen;
  }

  void ExpectWelcome(int width, int height) {
    // Below the splash and left of every text only the background shows.
    for (int y = 190; y < height; ++y) expected_.push_back({2, y, WelcomeRow(y)});
    for (const POINT& at : {POINT{0, 0}, POINT{width - 1, 0}, POINT{5, 60}, POINT{300, 30},
                            POINT{width - 1, 185}, POINT{20, 120}, POINT{0, 189}, POINT{2, 124}}) {
      expected_.push_back({at.x, at.y, SplashPixel(at.x, at.y)});
    }
  }

  // The Pinyin strip: rows 90 and 91 of the picture stretched down to row
  // 124, where the overlay text leaves most of the row free.
  static bool StripStretched(const ClientFrame& frame) {
    int stretched = 0;
    int unstretched = 0;
    for (int x = 73; x < 201; ++x) {
      const COLORREF pixel = frame.At(x, 124);
      stretched += pixel == SplashPixel(x, 90) || pixel == SplashPixel(x, 91);
      unstretched += SplashPixel(x, 124) == SplashPixel(x, 90);
    }
    return stretched > 64 && unstretched < stretched / 2;
  }

  void ExpectPage(int width, int height) {
    for (int y : {0, 60, 120, 184, height - 1}) {
      expected_.push_back({2, y, PageRow(y)});
      expected_.push_back({width - 1, y, PageRow(y)});
    }
    // Bevels: black along the bottom and right edge, white along the top
    // and left.
    if (page_ != "7-processing") {
      for (int left : {40, 260}) {
        expected_.push_back({left + 50, 270, kBlack});
        expected_.push_back({left + 100, 257, kBlack});
        expected_.push_back({left + 50, 245, kWhite});
        expected_.push_back({left, 257, kWhite});
      }
    }
    // The bar's black outline from (30, 191) to (369, 217), white inside,
    // over the path frame and the path line alike.
    if (page_ == "7-installing") {
      expected_.push_back({30, 200, kBlack});
      expected_.push_back({369, 200, kBlack});
      expected_.push_back({200, 191, kBlack});
      expected_.push_back({200, 217, kBlack});
      for (int x = 31; x < 369; x += 7) {
        expected_.push_back({x, 192, kWhite});
        expected_.push_back({x, 216, kWhite});
      }
    }
  }

  std::string page_;
  HWND wizard_ = nullptr;
  std::vector<Expected> expected_;
  int boxes_ = 0;
};

// The choices differ by configuration, so that both crossed window modes
// and every skin are installed somewhere.
TourChoices ChoicesOfThisConfiguration() {
  TourChoices choices;
  const std::string& name = CurrentConfig().name;
  choices.windowModeButton = name == "xp32" || name == "win7-64-big5" ? 106 : 107;
  choices.skinButton = name == "xp32" ? 110 : name == "win7-64" ? 112 : 111;
  return choices;
}

std::string SkinContainerOf(int button) {
  if (button == 110) return Gbk(L"冰川蓝调.lzz");
  if (button == 111) return Gbk(L"暖橙釉面.lzz");
  return Gbk(L"小星辰.lzz");
}

// One installation through the wizard, shared by the suite's tests.
class WizardInstall : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ClearInstallDirRecords();
    InstallerRun run;
    ASSERT_TRUE(run.started());
    reader_ = new PageReader;
    record_ = InstallThroughWizard(run.launched(), ChoicesOfThisConfiguration(), *reader_);
    // setupw64.exe, which the installer started and never waits for, may
    // speak only after the installer has ended.
    if (CurrentConfig().windows64 && record_.otherMessages.empty()) {
      if (HWND box = WaitForMessageBoxTitled(L"智能岚舟", 60000)) {
        record_.otherMessages.push_back(MessageBoxText(box));
        AnswerMessageBox(box, IDOK);
      }
    }
  }
  static void TearDownTestSuite() { delete reader_; }

  static PageReader* reader_;
  static TourRecord record_;
};
PageReader* WizardInstall::reader_;
TourRecord WizardInstall::record_;

TEST_F(WizardInstall, GoesThroughEveryPageAndEndsWithTheClosingMessage) {
  EXPECT_EQ("", record_.failure);
  EXPECT_EQ(0u, record_.exitCode);
  std::vector<std::string> pages = {"0-welcome", "1-addresses", "6-directory", "7-installing",
                                    "7-processing"};
  if (CurrentConfig().windows64) {
    pages.insert(pages.end(), {"8-try-it", "9-try-it"});
    EXPECT_EQ(L"lanzhu", record_.nameLineText);
    EXPECT_EQ(std::vector<std::wstring>{L"智能岚舟已安装成功，如不能使用，请重新启动计算机！"},
              record_.otherMessages);
  }
  EXPECT_EQ(pages, record_.pages);
  EXPECT_EQ(CurrentConfig().oemCodePage == 950 ? L"智能嵐舟皮膚及窗口模式選擇"
                                               : L"智能岚舟皮肤及窗口模式选择",
            record_.skinDialogCaption);
  EXPECT_EQ(std::vector<std::wstring>{L"安装完毕，如不能使用，请重新启动计算机！"},
            record_.messages);
}

TEST_F(WizardInstall, PaintsEveryPageAsDrawn) {
  EXPECT_TRUE(reader_->overlay);
  for (const std::string& page : record_.pages) {
    EXPECT_EQ(std::vector<std::string>(), reader_->differences[page]) << page;
  }
}

TEST_F(WizardInstall, WritesThePinyinEditionsConfiguration) {
  EXPECT_EQ(std::string("LZWBPYBZ=1\0", 11), Bytes(kInstallDir + "wbpybz.lzh"));
  EXPECT_EQ(
      "LZNETURL1=www.danwei.example.cn\r\nLZNETURL2=www.zhengfu.example.gov.cn\r\n"
      "LZNETTIME=1\r\nLZBJTIME=7\r\nLZWYTIME=3\r\nLZSJOFF=0\r\nLZNETTIME0=0\r\nLZBJTIME0=0\r\n"
      "LZNEONE=1\r\n",
      Bytes(kInstallDir + "lznetsj.dat"));
  EXPECT_EQ(L"岚舟拼音",
            ReadTextW(HKEY_LOCAL_MACHINE,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb",
                      L"DisplayName"));
  std::string path;
  ASSERT_TRUE(ReadPathValue(&path));
  EXPECT_EQ(kInstallDir, path);
}

// The record takes the dialog's choice and the code page; which bytes each
// sets is the settings record's own rule, tested natively.
TEST_F(WizardInstall, AdjustsTheSettingsRecordForTheChoices) {
  const std::string shipped = Payload().at("lzszsj43.lzh");
  const std::string record = Bytes(kInstallDir + "lzszsj43.lzh");
  ASSERT_EQ(200u, record.size());
  // Dual (3) is stored as 4 and Windows-like (4) as 3.
  EXPECT_EQ(ChoicesOfThisConfiguration().windowModeButton == 106 ? 4 : 3, record[0]);
  EXPECT_EQ(CurrentConfig().oemCodePage == 950 ? 1 : shipped[15], record[15]);
  EXPECT_EQ(shipped.substr(81), record.substr(81));
}

TEST_F(WizardInstall, UnpacksTheChosenSkin) {
  const int chosen = ChoicesOfThisConfiguration().skinButton;
  const auto skin = InflatedEntries(Payload().at(SkinContainerOf(chosen)));
  const auto other = InflatedEntries(Payload().at(SkinContainerOf(chosen == 110 ? 111 : 110)));
  ASSERT_EQ(8u, skin.size());
  for (const auto& [name, bytes] : skin) {
    EXPECT_EQ(bytes, Bytes(kInstallDir + name)) << name;
    EXPECT_NE(other.at(name), bytes) << name;
  }
}

}  // namespace

namespace {

// While a message box of the installation is open, the user clicks the exit
// button and closes the window: neither may end the installer under the
// running installation.
class ClicksDuringMessages : public TourObserver {
 public:
  int MessageBox(HWND box, HWND wizard) override {
    if (tried_) return IDOK;
    tried_ = true;
    ClickAt(wizard, kExitX, kExitY);
    ClickAt(wizard, kExitX, kExitY, true);
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    Sleep(1000);
    survived = IsWindow(wizard) && IsWindowVisible(wizard) && IsWindow(box);
    return IDOK;
  }
  bool survived = false;

 private:
  bool tried_ = false;
};

using WizardInstallGuard = ::testing::Test;

TEST(WizardInstallGuard, ClicksAndCloseDuringAMessageLeaveTheInstallationToFinish) {
  ClearInstallDirRecords();
  // A directory in the way of one payload file makes extraction say so.
  ASSERT_TRUE(CreateDirectoryA("c:\\lanzhu2", nullptr));
  ASSERT_TRUE(CreateDirectoryA("c:\\lanzhu2\\lzzt1.bmp", nullptr));
  InstallerRun run;
  ASSERT_TRUE(run.started());
  ClicksDuringMessages observer;
  const TourRecord record = InstallThroughWizard(run.launched(), TourChoices(), observer);

  EXPECT_TRUE(observer.survived);
  EXPECT_EQ("", record.failure);
  EXPECT_EQ(0u, record.exitCode);
  ASSERT_FALSE(record.messages.empty());
  EXPECT_EQ(L"没有成功解压复制lzzt1.bmp文件！请重新下载安装。", record.messages.front());
  EXPECT_EQ(L"安装完毕，如不能使用，请重新启动计算机！", record.messages.back());
  // The finishing check names the file that could not be written.
  bool named = false;
  std::string seen;
  for (const std::wstring& text : record.messages) {
    named = named || text.find(L"lzzt1.bmp....") != std::wstring::npos;
    seen += "[" + ToUtf8(text) + "] ";
  }
  EXPECT_TRUE(named) << seen;
  // What comes after the messages was done: the skin and the settings record.
  EXPECT_EQ(Payload().at("lanzhu4.ime"), Bytes(SystemDir() + "\\lanzhu4.ime"));
  EXPECT_EQ(200u, Bytes(kInstallDir + "lzszsj43.lzh").size());
  EXPECT_EQ(3, Bytes(kInstallDir + "lzszsj43.lzh")[0]);
  EXPECT_EQ(InflatedEntries(Payload().at(SkinContainerOf(111))).at("lzskin.lzh"),
            Bytes(kInstallDir + "lzskin.lzh"));
}

}  // namespace
