#include "shell/page_painting.h"

#include <cwchar>

#include "core/bmp_picture.h"
#include "payload/payload_lookup.h"
#include "shell/payload_memory.h"
#include "shell/texts.h"
#include "shell/wizard_window.h"
#include "system/narrow_text.h"
#include "system/product_texts.h"
#include "system/state.h"

namespace {

constexpr int kPageWidth = 400;
constexpr int kPageHeight = 310;
constexpr BYTE kGb2312Charset = 134;

void TextW(HDC dc, int x, int y, const wchar_t* text) {
  TextOutW(dc, x, y, text, static_cast<int>(std::wcslen(text)));
}

void TextW(HDC dc, int x, int y, COLORREF colour, const wchar_t* text) {
  SetTextColor(dc, colour);
  TextW(dc, x, y, text);
}

void TextA(HDC dc, int x, int y, COLORREF colour, const char* text) {
  SetTextColor(dc, colour);
  TextOutA(dc, x, y, text, lstrlenA(text));
}

// Horizontal lines of one pixel, each in the colour of its row.
template <typename RowColour>
void PaintRows(HDC dc, RowColour colourOf) {
  for (int y = 0; y < kPageHeight; ++y) {
    HPEN pen = CreatePen(PS_SOLID, 1, colourOf(y));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, kPageWidth, y);
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
}

// Green climbs by two a row and wraps past 255: three bands.
void PaintWelcomeBackground(HDC dc) {
  PaintRows(dc, [](int y) {
    return RGB(0, (2 * y - 112) & 0xFF, 250 - 140 * y / kPageHeight);
  });
}

void DrawEditionOverlay(HDC dc) {
  DrawPayloadBitmap(400, 190, dc, "lzsr1.bmp", 73, 90, 128, 35, 73, 90, 128, 2);
  char face[LF_FACESIZE];
  ToNarrow(kTitleFontFace, kGbkCodePage, face, sizeof face);
  HFONT bold = CreateFontA(30, 15, 0, 0, 700, 0, 0, 0, kGb2312Charset, 0, 0, 0, 0, face);
  HGDIOBJ previous = SelectObject(dc, bold);
  TextW(dc, 75, 90, kEditionSlate, kPinyinEditionName);
  TextW(dc, 83, 93, kEditionGreen, kPinyinEditionName);
  SelectObject(dc, previous);
  DeleteObject(bold);
}

}  // namespace

void PaintPageBackground(HDC dc) {
  PaintRows(dc, [](int y) {
    return RGB(150 * y / kPageHeight, 255 * y / kPageHeight, 250 - 150 * y / kPageHeight);
  });
}

void DrawGbkText(HDC dc, int x, int y, COLORREF colour, const wchar_t* text) {
  char narrow[128];
  ToNarrow(text, kGbkCodePage, narrow, sizeof narrow);
  TextA(dc, x, y, colour, narrow);
}

void DrawEmbossedGbkTitle(HDC dc, int x, int y, HFONT font, const wchar_t* text) {
  SelectObject(dc, font);
  DrawGbkText(dc, x, y, kBlack, text);
  for (int shift = 8; shift <= 10; ++shift) DrawGbkText(dc, x + shift, y + shift, kShadowGrey, text);
  DrawGbkText(dc, x + 11, y + 11, kWhite, text);
}

static void DrawEmbossedTitleW(HDC dc, int x, int y, HFONT font, const wchar_t* text) {
  SelectObject(dc, font);
  TextW(dc, x, y, kBlack, text);
  for (int shift = 8; shift <= 10; ++shift) TextW(dc, x + shift, y + shift, kShadowGrey, text);
  TextW(dc, x + 11, y + 11, kWhite, text);
}

void DrawPinkGbkSubtitle(HDC dc, const wchar_t* text) {
  for (int at = 88; at <= 90; ++at) DrawGbkText(dc, at, at, kShadowGrey, text);
  DrawGbkText(dc, 91, 91, kHighlightPink, text);
  DrawGbkText(dc, 92, 91, kHighlightPink, text);
}

void DrawBevel(HDC dc, int left, int top, int right, int bottom) {
  SelectObject(dc, GetStockObject(BLACK_PEN));
  MoveToEx(dc, left, bottom, nullptr);
  LineTo(dc, right, bottom);
  LineTo(dc, right, top);
  SelectObject(dc, GetStockObject(WHITE_PEN));
  LineTo(dc, left, top);
  LineTo(dc, left, bottom);
}

void DrawBevel(HDC dc, const RECT& rect) { DrawBevel(dc, rect.left, rect.top, rect.right, rect.bottom); }

void DrawButtonCaptions(HDC dc, const wchar_t* confirm, const wchar_t* exit) {
  TextW(dc, ConfirmButtonRect.left + 5, ConfirmButtonRect.top + 2, kCaptionPink, confirm);
  TextW(dc, ExitButtonRect.left + 5, ExitButtonRect.top + 2, kCaptionPink, exit);
}

void DrawButtonBevels(HDC dc) {
  DrawBevel(dc, ConfirmButtonRect);
  DrawBevel(dc, ExitButtonRect);
}

void DrawPayloadBitmap(int rightLimit, int bottomLimit, HDC dc, const char* entryName,
                       int destinationX, int destinationY, int destinationWidth,
                       int destinationHeight, int sourceX, int sourceY, int sourceWidth,
                       int sourceHeight) {
  const std::size_t length = FindPayloadEntry(entryName);
  if (WorkBuffer == nullptr) return;
  const unsigned char* file = WorkBuffer + kInflatedOffset;
  BmpPicture picture;
  if (!ReadBmpPicture(file, length, &picture)) return;

  DrawArea destination = {destinationX, destinationY, destinationWidth, destinationHeight};
  DrawArea source = {sourceX, sourceY, sourceWidth, sourceHeight};
  ClipPictureDraw(rightLimit, bottomLimit, picture.width, picture.height, &destination, &source);

  const auto* info = reinterpret_cast<const BITMAPINFO*>(file + 14);
  HBITMAP bitmap = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, file + picture.bitsOffset, info,
                                  DIB_RGB_COLORS);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  StretchBlt(dc, destination.x, destination.y, destination.width, destination.height, memory,
             source.x, source.y, source.width, source.height, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

void PaintWelcomePage(HDC dc) {
  PaintWelcomeBackground(dc);
  TextW(dc, 50, 150, L"安装程序正在载入文件，请等待……");
  SetBkMode(dc, TRANSPARENT);
  DrawPayloadBitmap(400, 190, dc, "lzsr1.bmp", 0, 0, 400, 190, 0, 0, 400, 190);
  const bool pinyin = Edition == kPinyinEdition;
  if (pinyin) DrawEditionOverlay(dc);
  SelectObject(dc, TextFont);
  TextW(dc, 10, 165, kWhite,
        pinyin ? L"您尝试过岚舟语句输入技术吗？" : L"您尝试过岚舟语句提示输入吗？");
  TextW(dc, 50, 195, kWhite, L"岚舟语句将给你带来新的输入体验……");
  TextW(dc, 220, 100, kVersionBlue, L"7.3 版");
  DrawButtonBevels(dc);
  DrawButtonCaptions(dc, kInstallButtonText, kExitButtonText);
}

void PaintSiteAddressPage(HDC dc) {
  PaintPageBackground(dc);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, TextFont);
  static const wchar_t kHeading[] = L"智能岚舟输入平台  系统安装";
  TextW(dc, 30, 10, kBlack, kHeading);
  TextW(dc, 39, 19, kWhite, kHeading);
  TextW(dc, 250, 19, kEditionGreen, Edition == kPinyinEdition ? L"岚舟拼音专版" : L"岚舟五笔专版");
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  TextW(dc, 20, 70, kWhite, L"请输入你所在单位网站和你所在地政府网站的网址，");
  TextW(dc, 20, 90, L"智能岚舟就可每天自动从这两个网站上下载相关文章，");
  TextW(dc, 20, 110, L"组建或增加系统文章库，以方便你的快速输入。");
  SelectObject(dc, TextFont);
  DrawButtonBevels(dc);
  DrawBevel(dc, PathLineFrameRect);
  DrawBevel(dc, SiteLine1FrameRect);
  TextW(dc, SiteLine1FrameRect.left + 5, SiteLine1FrameRect.top + 4, kWhite, L"所在单位网址：");
  TextW(dc, PathLineFrameRect.left + 5, PathLineFrameRect.top + 4, L"当地政府网址：");
  DrawButtonCaptions(dc, kInstallButtonText, kExitButtonText);
}

void PaintDirectoryPage(HDC dc) {
  PaintPageBackground(dc);
  SetBkMode(dc, TRANSPARENT);
  DrawEmbossedTitleW(dc, 30, 20, TitleFont, kProductName);
  DrawEmbossedTitleW(dc, 100, 80, TextFont, L"岚舟五笔 7.3 版  系统安装");
  TextW(dc, 50, 130, kWhite, L"本版本适用于：WINDOWS NT、WIN2000、");
  TextW(dc, 30, 155, L"WINDOWS XP、VISTA及WIN7中文系统。");
  DrawButtonBevels(dc);
  DrawBevel(dc, PathLineFrameRect);
  TextW(dc, PathLineFrameRect.left + 5, PathLineFrameRect.top + 4, L"安装路径：");
  DrawButtonCaptions(dc, kInstallButtonText, kExitButtonText);
}

void PaintProcessingPage(HDC dc) {
  PaintPageBackground(dc);
  SetBkMode(dc, TRANSPARENT);
  DrawEmbossedGbkTitle(dc, 30, 20, TitleFont, L"智能岚舟7.3版安装");
  SelectObject(dc, TextFont);
  static const wchar_t kProcessing[] = L"智能岚舟正在处理有关数据……";
  DrawGbkText(dc, 80, 80, kBlack, kProcessing);
  DrawPinkGbkSubtitle(dc, kProcessing);
}

void RepaintDirectoryPage() {
  if (RunMode == kSilentMode) return;
  HDC dc = GetDC(MainWindow);
  PaintDirectoryPage(dc);
  ReleaseDC(MainWindow, dc);
}

void DrawProgress(int done, int total) {
  if (RunMode == kSilentMode) return;
  const int x = ProgressBarRect.left;
  const int top = ProgressBarRect.top + 3;
  const int fullWidth = ProgressBarRect.right;
  const int bottom = ProgressBarRect.top + ProgressBarRect.bottom;
  int width = 0;
  if (total == 0) {
    width = 0;
  } else if (total < done) {
    width = fullWidth;
  } else {
    width = static_cast<int>(static_cast<long long>(fullWidth) * done / total);
  }
  HDC dc = GetDC(MainWindow);
  if (done < 1) {
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, x, top, x + fullWidth, bottom);
  } else {
    SelectObject(dc, ProgressBrush);
    Rectangle(dc, x, top, x + width, bottom);
  }
  ReleaseDC(MainWindow, dc);
}
