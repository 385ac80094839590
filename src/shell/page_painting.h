#pragma once

#include <windows.h>

// The colours of the wizard's pages (COLORREF, 0x00BBGGRR).
constexpr COLORREF kShadowGrey = 0x808080;
constexpr COLORREF kHighlightPink = 0xBBBBFF;
constexpr COLORREF kCaptionPink = 0x8080FF;
constexpr COLORREF kEditionGreen = 0xADCD21;
constexpr COLORREF kEditionSlate = 0x806060;
constexpr COLORREF kVersionBlue = 0xC00000;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

// The painters of pages 0 to 7; each draws its page completely.
void PaintWelcomePage(HDC dc);
void PaintSiteAddressPage(HDC dc);
void PaintDirectoryPage(HDC dc);
void PaintProcessingPage(HDC dc);

// What the try-it page shares with them.
void PaintPageBackground(HDC dc);
// Narrow texts are drawn as GBK bytes with TextOutA whatever the code page.
void DrawGbkText(HDC dc, int x, int y, COLORREF colour, const wchar_t* text);
void DrawEmbossedGbkTitle(HDC dc, int x, int y, HFONT font, const wchar_t* text);
void DrawPinkGbkSubtitle(HDC dc, const wchar_t* text);
void DrawBevel(HDC dc, int left, int top, int right, int bottom);
void DrawBevel(HDC dc, const RECT& rect);
void DrawButtonBevels(HDC dc);
void DrawButtonCaptions(HDC dc, const wchar_t* confirm, const wchar_t* exit);

// Draws part of a BMP picture of the payload, clipped to the picture and to
// the limits and stretched. A damaged or missing picture draws nothing.
void DrawPayloadBitmap(int rightLimit, int bottomLimit, HDC dc, const char* entryName,
                       int destinationX, int destinationY, int destinationWidth,
                       int destinationHeight, int sourceX, int sourceY, int sourceWidth,
                       int sourceHeight);

// Drawn into the main window while the installation runs, outside the
// paint cycle; nothing in silent mode.
void RepaintDirectoryPage();
void DrawProgress(int done, int total);
