// The wizard window created in the test's own process as setup.exe creates it,
// its message boxes recorded and answered OK instead of shown.
#include <cstring>
#include <functional>
#include <utility>

#include "data/config_files.h"
#include "payload/container_append.h"
#include "payload/extract_container.h"
#include "payload/finish_install.h"
#include "payload/skin_dialog.h"
#include "shell/page_flow.h"
#include "shell/page_painting.h"
#include "shell/payload_memory.h"
#include "shell/try_it_page.h"
#include "shell/wizard_window.h"
#include "system/seams.h"
#include "system/state.h"
#include "test_support.h"

namespace {

std::wstring FromGbk(const char* text) {
  wchar_t wide[2048] = {};
  MultiByteToWideChar(936, 0, text, -1, wide, 2047);
  return wide;
}

std::vector<std::wstring> Shown;  // "caption|text" of every box
std::function<void()> WhileBoxOpen;

int WINAPI RecordW(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
  Shown.push_back(std::wstring(caption) + L"|" + text);
  if (WhileBoxOpen) std::exchange(WhileBoxOpen, nullptr)();
  return IDOK;
}

int WINAPI RecordA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  Shown.push_back(FromGbk(caption) + L"|" + FromGbk(text));
  return IDOK;
}

// The skin dialog is driven from a timer inside its own modal loop.
std::function<void(HWND)> DriveDialog;

void CALLBACK DriveDialogTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", nullptr);
  if (dialog == nullptr || !IsWindowVisible(dialog) || !DriveDialog) return;
  KillTimer(nullptr, timer);
  std::exchange(DriveDialog, nullptr)(dialog);
}

class Wizard : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearInstallDirRecords();
    std::memset(InstallDir, 0, sizeof InstallDir);
    RunMode = kWindowMode;
    PageNumber = 0;
    Shown.clear();
    Platform.MessageBoxW = RecordW;
    Platform.MessageBoxA = RecordA;
    RegisterWizardClass(GetModuleHandleA(nullptr));
    ASSERT_TRUE(CreateWizardWindow(GetModuleHandleA(nullptr), SW_SHOW));
  }
  void TearDown() override {
    DestroyWindow(MainWindow);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
  }
  static void Click(int x, int y, bool right = false) {
    SendMessageA(MainWindow, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
  }
  static void Confirm() { Click(90, 257); }
  // A posted WM_DESTROY, taken off the queue.
  static bool CloseRequested() {
    MSG message;
    return PeekMessageA(&message, MainWindow, WM_DESTROY, WM_DESTROY, PM_REMOVE) != 0;
  }
  static std::string Line(HWND line) {
    char text[256] = {};
    GetWindowTextA(line, text, sizeof text);
    return text;
  }
};

const std::wstring kRejected = L"智能岚舟|智能岚舟不能安装在你设定的路径下，请重新设定路径！";

TEST_F(Wizard, PagesAddressesRejectionsAndTheTryItPage) {
  // Saved records: a first address of GBK characters without line ends, longer
  // than its line holds, and a directory that is a link.
  CreateDirectoryA("c:\\saved", nullptr);
  CreateDirectoryA("c:\\elsewhere", nullptr);
  ASSERT_TRUE(MakeDirLink("linked", "elsewhere"));
  ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", "c:\\saved\\"));
  std::string address = "LZNETURL1=";
  while (address.size() < 1500) address += "\xD5\xFE\xB8\xAE";
  ASSERT_TRUE(WriteBytes("c:\\saved\\lznetsj.dat", address + "LZNETURL2=late.example"));
  std::memset(InstallDir, 0, sizeof InstallDir);  // resolved again, as a new start would

  Click(141, 270, true);  // right clicks act as left ones; the right edge counts
  EXPECT_EQ(0, PageNumber);
  Click(140, 270, true);
  ASSERT_EQ(1, PageNumber);
  EXPECT_EQ(address.substr(10, 98), Line(SiteLine1));  // 99 bytes would split a character
  Confirm();
  ASSERT_EQ(6, PageNumber);
  EXPECT_EQ("c:\\saved\\", Line(PathLine));

  // A directory taken in spite of the rules would install: its skin dialog is
  // answered at once. Clicks and a close while the first box is open are ignored.
  DriveDialog = [](HWND dialog) { SendMessageA(GetDlgItem(dialog, 105), BM_CLICK, 0, 0); };
  SetTimer(nullptr, 0, 50, DriveDialogTimer);
  WhileBoxOpen = [] {
    Click(360, 270);
    Confirm();
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
  };
  for (const char* rejected : {"d:\\two\\levels\\", "c:\\linked"}) {
    Shown.clear();
    SetWindowTextA(PathLine, rejected);
    Confirm();
    ASSERT_TRUE(IsWindow(MainWindow));
    EXPECT_EQ(std::vector<std::wstring>{kRejected}, Shown) << rejected;
    EXPECT_EQ("c:\\lanzhu2\\", Line(PathLine));
    EXPECT_FALSE(CloseRequested());
  }
  EXPECT_TRUE(RemoveDirectoryA("c:\\elsewhere"));  // nothing landed behind the link

  // Timer 2 shows the try-it page, whose confirm needs two clicks; nothing
  // was installed, so the report takes the completion message's place.
  Shown.clear();
  PageNumber = 7;
  SendMessageA(MainWindow, WM_TIMER, 2, 0);
  EXPECT_EQ(8, PageNumber);
  Confirm();
  EXPECT_EQ(9, PageNumber);
  EXPECT_TRUE(Shown.empty());
  Confirm();
  ASSERT_EQ(1u, Shown.size());
  EXPECT_EQ(0u, Shown[0].find(L"智能岚舟7.3|智能岚舟汉字输入系统7.3版安装情况报告。"));
  EXPECT_TRUE(CloseRequested());
}

// A 20 x 10 red picture whose last column is blue, as a payload of its own.
std::string PictureContainer() {
  std::string bmp("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x14\0\0\0\x0A\0\0\0\x01\0\x18\0", 30);
  bmp.resize(54 + 60 * 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) bmp[54 + y * 60 + 3 * x + (x == 19 ? 0 : 2)] = '\xFF';
  }
  RemoveFile("c:\\picture.lzz");
  EXPECT_TRUE(WriteBytes("c:\\lzsr1.bmp", bmp));
  EXPECT_EQ(1, AppendFileToContainer("c:\\picture.lzz", "c:\\lzsr1.bmp"));
  std::string container;
  ReadBytes("c:\\picture.lzz", &container);
  return container;
}

TEST_F(Wizard, ThePictureReachesItsEdgeAndTheProgressBarItsShare) {
  HDC dc = GetDC(MainWindow);
  const std::string picture = PictureContainer();
  const unsigned char* const payload = Payload;
  const std::size_t payloadSize = PayloadSize;
  Payload = reinterpret_cast<const unsigned char*>(picture.data());
  PayloadSize = picture.size();
  DrawPayloadBitmap(400, 190, dc, "lzsr1.bmp", 10, 10, 20, 10, 0, 0, 20, 10);
  Payload = payload;
  PayloadSize = payloadSize;
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 28, 15));
  EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 29, 15));

  DrawProgress(32, 64);  // 170 of the 340 pixels
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 198, 200));
  DrawProgress(64, 64);
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 368, 200));
  ReleaseDC(MainWindow, dc);
}

std::string Checked(HWND dialog) {
  std::string ids;
  for (int id : {101, 102, 106, 107, 110, 111, 112}) {
    if (SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED) ids += std::to_string(id) + " ";
  }
  return ids;
}

void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The payload extracted as the first pass leaves it, then the finishing step:
// the check of every file, the skin dialog, the skin and the settings record.
TEST_F(Wizard, FinishingChecksTheFilesAsksForTheSkinAndWritesTheRecord) {
  CreateDirectoryA("c:\\finish", nullptr);
  std::strcpy(InstallDir, "c:\\finish\\");
  ASSERT_EQ(1, ExtractContainer(Payload, PayloadSize, WorkBuffer, kWorkBufferSize));
  OldDataState = kOldDataNone;
  ASSERT_TRUE(WriteBytes("c:\\finish\\lanzcyzk.lz1", "changed after installing"));
  ASSERT_TRUE(WriteBytes("c:\\finish\\lzszsj43.lzh", "rewritten, as it is later"));
  RemoveFile("c:\\finish\\lzskin.lzh");
  std::vector<std::string> seen;
  DriveDialog = [&](HWND dialog) {
    seen.push_back(Checked(dialog));
    for (int id : {107, 111, 106}) {
      Press(dialog, id);
      seen.push_back(Checked(dialog));
    }
    Press(dialog, 105);
  };
  SetTimer(nullptr, 0, 50, DriveDialogTimer);
  FinishFileInstall(MainWindow);
  EXPECT_EQ((std::vector<std::string>{"101 110 ", "107 110 ", "107 111 ", "106 111 "}), seen);
  EXPECT_EQ(3, WindowMode);
  EXPECT_EQ(2, SkinChoice);
  EXPECT_EQ(std::vector<std::wstring>{L"智能岚舟|lanzcyzk.lz1....有文件没有成功解压，请重新下载安装！"
                                      L"\r\n\r\n\r\n上述文件没有成功复制，请重新下载安装！\r\n"},
            Shown);
  EXPECT_TRUE(FileExists("c:\\finish\\lzskin.lzh"));

  ASSERT_TRUE(WriteSettingsRecord());
  std::string record;
  ASSERT_TRUE(ReadBytes("c:\\finish\\lzszsj43.lzh", &record));
  ASSERT_EQ(200u, record.size());
  EXPECT_EQ(4, record[0]);  // the IME's code of the dual status window
}

// The layouts of a system with this IME, which Wine cannot show: it
// describes every layout as "Wine XIM".
std::map<HKL, std::string> Descriptions;

int WINAPI ListLayouts(int size, HKL* layouts) {
  int count = 0;
  for (const auto& entry : Descriptions) {
    if (count < size) layouts[count++] = entry.first;
  }
  return count;
}

UINT WINAPI Describe(HKL layout, LPSTR description, UINT size) {
  lstrcpynA(description, Descriptions[layout].c_str(), static_cast<int>(size));
  return static_cast<UINT>(lstrlenA(description));
}

TEST_F(Wizard, TheTryItPageTakesTheFirstLayoutNamedByTheWhole16Bytes) {
  const HKL wanted = reinterpret_cast<HKL>(0xE0020804);
  Descriptions = {{reinterpret_cast<HKL>(0xE0010409), Gbk(L"智能岚舟输入平") + "x"},
                  {wanted, Gbk(L"智能岚舟输入平台 another")},
                  {reinterpret_cast<HKL>(0xE0030804), Gbk(L"智能岚舟输入平台  7.3")}};
  Platform.GetKeyboardLayoutList = ListLayouts;
  Platform.ImmGetDescriptionA = Describe;
  PageNumber = 8;
  ActivateTryItLayout();
  Platform.GetKeyboardLayoutList = ::GetKeyboardLayoutList;
  Platform.ImmGetDescriptionA = ::ImmGetDescriptionA;
  EXPECT_EQ(wanted, ImeLayoutHandle);
}

}  // namespace
