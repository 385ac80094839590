#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Screenshots as a user sees the screen: what lies on top (a message box, a
// dialog) is in the picture too. Written as PNG to a path of the prefix.
bool SaveScreenPng(const RECT& area, const std::string& path);
bool SaveWindowPng(HWND window, const std::string& path);

// The client area of a window in one copy, so that many pixels are read from
// one moment of it. Pixels row by row, COLORREF values.
struct ClientFrame {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
};
bool CaptureClient(HWND window, ClientFrame* frame);
