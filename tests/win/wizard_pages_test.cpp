#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "container_builder.h"
#include "data/install_dir.h"
#include "shell/page_flow.h"
#include "shell/page_painting.h"
#include "shell/payload_memory.h"
#include "shell/wizard_window.h"
#include "system/state.h"
#include "test_support.h"
#include "wizard_fixture.h"

namespace {

using PageFlow = WizardInProcess;
using InstallGuard = WizardInProcess;
using PagePainting = WizardInProcess;

COLORREF PageRowColour(int y) { return RGB(150 * y / 310, 255 * y / 310, 250 - 150 * y / 310); }

const wchar_t kRejectedText[] = L"智能岚舟不能安装在你设定的路径下，请重新设定路径！";

// Welcome page, then the address page, then the directory page.
void ToDirectoryPage() {
  SendMessageA(MainWindow, WM_LBUTTONDOWN, 0, MAKELPARAM(90, 257));
  SendMessageA(MainWindow, WM_LBUTTONDOWN, 0, MAKELPARAM(90, 257));
}

TEST_F(PageFlow, RightClicksActAsLeftClicksAndButtonEdgesCount) {
  Click(141, 270, true);
  EXPECT_EQ(0, PageNumber);
  Click(140, 270, true);
  EXPECT_EQ(1, PageNumber);
  EXPECT_TRUE(IsWindowVisible(SiteLine1));
  EXPECT_TRUE(IsWindowVisible(SiteLine2));
  EXPECT_EQ(L"", LineText(SiteLine1));  // no saved addresses
  Click(40, 245);
  EXPECT_EQ(6, PageNumber);
  EXPECT_EQ(nullptr, SiteLine1);
  EXPECT_EQ(nullptr, SiteLine2);
  EXPECT_TRUE(IsWindowVisible(PathLine));
  EXPECT_EQ(L"c:\\lanzhu2\\", LineText(PathLine));
  EXPECT_FALSE(CloseRequested());
}

TEST_F(PageFlow, ExitClosesAtOnceBelowPage8AndPage7OnlyRepaints) {
  for (int page : {0, 1, 6, 7}) {
    PageNumber = page;
    Click(360, 270);
    EXPECT_TRUE(CloseRequested()) << page;
    EXPECT_EQ(page, PageNumber);
  }
  PageNumber = 7;
  Click(40, 245);
  EXPECT_EQ(7, PageNumber);
  EXPECT_FALSE(CloseRequested());
  EXPECT_TRUE(shown_.empty());
}

TEST_F(PageFlow, ARejectedDirectoryIsSaidResetAndThePageStays) {
  // A directory that exists as a link is refused too, and nothing lands in
  // what it points to.
  CreateDirectoryA("c:\\elsewhere", nullptr);
  ASSERT_TRUE(MakeDirLink("linked", "elsewhere"));
  ToDirectoryPage();
  ASSERT_EQ(6, PageNumber);
  for (const char* line : {"d:\\two\\levels\\", "c:\\linked"}) {
    shown_.clear();
    SetWindowTextA(PathLine, line);
    Click(90, 257);
    ASSERT_EQ(1u, shown_.size()) << line;
    EXPECT_EQ(kRejectedText, shown_[0].text);
    EXPECT_EQ(L"智能岚舟", shown_[0].caption);
    EXPECT_EQ(L"c:\\lanzhu2\\", LineText(PathLine));
    EXPECT_EQ(6, PageNumber);
    EXPECT_FALSE(CloseRequested());
  }
  EXPECT_TRUE(RemoveDirectoryA("c:\\elsewhere"));  // still empty
}

TEST_F(PageFlow, AnEmptyResolvedDirectoryShowsTheDefault) {
  ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", ""));
  ToDirectoryPage();
  EXPECT_EQ(L"c:\\lanzhu2\\", LineText(PathLine));
}

TEST_F(PageFlow, SavedAddressesFillTheAddressPage) {
  CreateDirectoryA("c:\\saved", nullptr);
  ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", "c:\\saved\\"));
  ASSERT_TRUE(WriteBytes("c:\\saved\\lznetsj.dat",
                         "LZNETURL1=" + std::string(120, 'a') + "\r\nLZNETURL2=gov.example\r\n"));
  // The window's creation resolved the directory for the user-data backup,
  // before these records were there: resolve it again, as a new start would.
  std::memset(InstallDir, 0, sizeof InstallDir);
  Click(90, 257);
  // An address longer than the line's buffer keeps its first 99 characters.
  EXPECT_EQ(std::wstring(99, L'a'), LineText(SiteLine1));
  EXPECT_EQ(L"gov.example", LineText(SiteLine2));
  SetWindowTextA(SiteLine2, "new.example");
  Click(90, 257);
  std::string written;
  ASSERT_TRUE(ReadBytes("c:\\saved\\lznetsj.dat", &written));
  EXPECT_EQ(0u, written.find("LZNETURL1=" + std::string(99, 'a') + "\r\nLZNETURL2=new.example\r\n"));
}

TEST_F(PageFlow, AnOversizedAddressFileWithoutLineEndsIsReadWithoutHarm) {
  CreateDirectoryA("c:\\saved", nullptr);
  ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", "c:\\saved\\"));
  // No line ends, GBK bytes, and the second key only after the first 1000
  // bytes, which are all the address page reads.
  std::string text = "LZNETURL1=";
  while (text.size() < 1500) text += "\xD5\xFE\xB8\xAE";
  text += "LZNETURL2=late.example";
  ASSERT_TRUE(WriteBytes("c:\\saved\\lznetsj.dat", text));
  std::memset(InstallDir, 0, sizeof InstallDir);
  Click(90, 257);
  char first[200] = {};
  GetWindowTextA(SiteLine1, first, sizeof first);
  // 99 bytes would end inside a character: the address keeps 98.
  EXPECT_EQ(text.substr(10, 98), std::string(first));
  EXPECT_EQ(L"", LineText(SiteLine2));
}

TEST_F(PageFlow, TheTimerShowsTheTryItPageWhoseConfirmNeedsTwoClicks) {
  ToDirectoryPage();
  PageNumber = 7;
  SendMessageA(MainWindow, WM_TIMER, 2, 0);
  EXPECT_EQ(8, PageNumber);
  EXPECT_EQ(L"", LineText(PathLine));
  Click(90, 257);
  EXPECT_EQ(9, PageNumber);
  EXPECT_TRUE(shown_.empty());
  Click(90, 257);
  // Nothing was installed: the report of Finish takes the place of the
  // completion message.
  ASSERT_EQ(1u, shown_.size());
  EXPECT_EQ(0u, shown_[0].text.find(L"智能岚舟汉字输入系统7.3版安装情况报告。"));
  EXPECT_EQ(L"智能岚舟7.3", shown_[0].caption);
  EXPECT_TRUE(CloseRequested());
}

TEST_F(InstallGuard, ClicksAndCloseWhileAMessageIsOpenAreIgnored) {
  ToDirectoryPage();
  SetWindowTextA(PathLine, "d:\\two\\levels\\");
  bool stillOpen = false;
  OnNextMessage([&] {
    Click(300, 257);
    Click(90, 257, true);
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    stillOpen = IsWindow(MainWindow) && Payload != nullptr && WorkBuffer != nullptr;
  });
  Click(90, 257);
  EXPECT_TRUE(stillOpen);
  EXPECT_FALSE(CloseRequested());
  EXPECT_EQ(1u, shown_.size());  // the second click ran no second step
  EXPECT_EQ(6, PageNumber);
  // Once the step is over the window closes again as it should.
  SendMessageA(MainWindow, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(InstallGuard, NoPayloadOrWorkBufferIsSaidAndNothingIsInstalled) {
  ToDirectoryPage();
  ReleasePayloadMemory();
  Click(90, 257);
  ASSERT_EQ(1u, shown_.size());
  EXPECT_EQ(L"安装程序不完整，找不到要安装的文件。请到智能岚舟网站重新下载安装程序。", shown_[0].text);
  EXPECT_TRUE(CloseRequested());
  EXPECT_FALSE(FileExists("c:\\lanzhu2"));
}

// A 400 x 310 canvas standing in for the window's client area, which is
// smaller than the page by the caption and the borders.
class Canvas {
 public:
  Canvas() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 400;
    info.bmiHeader.biHeight = -310;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, 400, 310, WHITENESS);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const auto* pixel = static_cast<const unsigned char*>(bits_) + 4 * (y * 400 + x);
    return RGB(pixel[2], pixel[1], pixel[0]);
  }
  std::vector<unsigned char> Pixels() const {
    GdiFlush();
    const auto* bytes = static_cast<const unsigned char*>(bits_);
    return std::vector<unsigned char>(bytes, bytes + 4 * 400 * 310);
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ previous_;
};

TEST_F(PagePainting, PageBackgroundRunsFromBlueToLightGreen) {
  for (auto paint : {PaintSiteAddressPage, PaintDirectoryPage, PaintProcessingPage}) {
    Canvas canvas;
    paint(canvas.dc());
    EXPECT_EQ(RGB(0, 0, 250), canvas.At(2, 0));
    EXPECT_EQ(RGB(0, 0, 250), canvas.At(399, 0));
    EXPECT_EQ(RGB(149, 254, 101), canvas.At(2, 309));
    EXPECT_EQ(RGB(149, 254, 101), canvas.At(399, 309));
    EXPECT_EQ(RGB(75, 127, 175), canvas.At(2, 155));
  }
}

TEST_F(PagePainting, WelcomeWithoutItsPictureShowsThreeGreenBandsAndTheLoadingText) {
  ReleasePayloadMemory();
  Canvas canvas;
  PaintWelcomePage(canvas.dc());
  EXPECT_EQ(RGB(0, 144, 250), canvas.At(2, 0));
  EXPECT_EQ(RGB(0, 254, 226), canvas.At(2, 55));
  EXPECT_EQ(RGB(0, 0, 225), canvas.At(2, 56));
  EXPECT_EQ(RGB(0, 254, 168), canvas.At(2, 183));
  EXPECT_EQ(RGB(0, 0, 167), canvas.At(2, 184));
  EXPECT_EQ(RGB(0, 250, 111), canvas.At(2, 309));
  // The loading text, black on white, opaque, where the picture would be.
  int white = 0;
  for (int x = 50; x < 150; ++x) white += canvas.At(x, 152) == RGB(255, 255, 255);
  EXPECT_GT(white, 20);
}

TEST_F(PagePainting, BevelsAreBlackBelowAndRightWhiteAboveAndLeft) {
  Canvas canvas;
  PaintDirectoryPage(canvas.dc());
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(90, 270));
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(140, 250));
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(200, 217));
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(365, 200));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(90, 245));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(40, 260));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(200, 192));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(30, 200));
}

TEST_F(PagePainting, ProcessingPageHasNeitherFramesNorButtons) {
  Canvas canvas;
  PaintProcessingPage(canvas.dc());
  for (int x = 30; x <= 365; x += 5) EXPECT_EQ(PageRowColour(217), canvas.At(x, 217)) << x;
  for (int x = 40; x <= 360; x += 5) EXPECT_EQ(PageRowColour(270), canvas.At(x, 270)) << x;
}

// The payload is replaced by one holding only the given picture.
class PictureInPayload {
 public:
  explicit PictureInPayload(const Bytes& bmp)
      : container_(ContainerBuilder(ContainerFormat::Checksummed).Add("lzsr1.bmp", bmp).Build()),
        payload_(Payload),
        size_(PayloadSize) {
    Payload = container_.data();
    PayloadSize = container_.size();
  }
  ~PictureInPayload() {
    Payload = payload_;
    PayloadSize = size_;
  }

 private:
  Bytes container_;
  const unsigned char* payload_;
  std::size_t size_;
};

Bytes RedPicture(int width, int height) {
  const int row = (width * 3 + 3) / 4 * 4;
  Bytes bmp(54 + row * height, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[10] = 54;
  bmp[14] = 40;
  bmp[18] = static_cast<std::uint8_t>(width);
  bmp[22] = static_cast<std::uint8_t>(height);
  bmp[26] = 1;
  bmp[28] = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bmp[54 + y * row + 3 * x + 2] = 255;
  }
  return bmp;
}

TEST_F(PagePainting, ASoundPictureIsDrawnClippedAndADamagedOneNotAtAll) {
  {
    PictureInPayload picture(RedPicture(20, 10));
    Canvas canvas;
    DrawPayloadBitmap(400, 190, canvas.dc(), "lzsr1.bmp", 5, 5, 100, 100, 0, 0, 100, 100);
    // The source is cut to 20 x 10 and stretched over the whole destination.
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(5, 5));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(104, 104));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(105, 105));
    const std::vector<unsigned char> before = canvas.Pixels();
    DrawPayloadBitmap(400, 190, canvas.dc(), "other.bmp", 0, 0, 400, 190, 0, 0, 400, 190);
    EXPECT_TRUE(before == canvas.Pixels());
  }
  for (std::size_t field : {10u, 18u, 22u, 28u}) {
    Bytes damaged = RedPicture(20, 10);
    damaged[field + 1] = 0x7F;  // offset, width, height or bit count far too large
    PictureInPayload picture(damaged);
    Canvas canvas;
    const std::vector<unsigned char> before = canvas.Pixels();
    DrawPayloadBitmap(400, 190, canvas.dc(), "lzsr1.bmp", 0, 0, 400, 190, 0, 0, 400, 190);
    EXPECT_TRUE(before == canvas.Pixels()) << "field at " << field;
  }
}

TEST_F(PagePainting, ProgressBarIsWhiteWhenEmptyAndRedByItsShare) {
  auto pixel = [](int x, int y) {
    HDC dc = GetDC(MainWindow);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(MainWindow, dc);
    return colour;
  };
  DrawProgress(0, 64);
  EXPECT_EQ(RGB(0, 0, 0), pixel(30, 200));
  EXPECT_EQ(RGB(255, 255, 255), pixel(200, 200));
  EXPECT_EQ(RGB(0, 0, 0), pixel(369, 200));
  DrawProgress(32, 64);  // 170 of the 340 pixels
  EXPECT_EQ(RGB(255, 0, 0), pixel(198, 200));
  EXPECT_EQ(RGB(0, 0, 0), pixel(199, 200));
  EXPECT_EQ(RGB(255, 255, 255), pixel(201, 200));
  DrawProgress(100, 64);
  EXPECT_EQ(RGB(255, 0, 0), pixel(368, 200));
  RunMode = kSilentMode;
  DrawProgress(0, 64);
  RepaintDirectoryPage();
  EXPECT_EQ(RGB(255, 0, 0), pixel(368, 200));
}

}  // namespace
