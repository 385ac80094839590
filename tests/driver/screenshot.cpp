#include "screenshot.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void PutU32be(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
  PutU32be(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32be(out, static_cast<std::uint32_t>(
                    crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// 8-bit RGB, no interlace, every row with filter 0.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& bgra) {
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * width));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* pixel = &bgra[4 * (static_cast<std::size_t>(y) * width + x)];
      raw.push_back(pixel[2]);
      raw.push_back(pixel[1]);
      raw.push_back(pixel[0]);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
  packed.resize(packedSize);

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutU32be(header, static_cast<std::uint32_t>(width));
  PutU32be(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

// Copies `width` x `height` pixels at (x, y) of `source` (a DC of `owner`,
// null for the screen) as BGRA, top row first.
bool CopyPixels(HWND owner, int x, int y, int width, int height, std::vector<std::uint8_t>* bgra) {
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(owner);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY) != 0;
  GdiFlush();
  bgra->assign(static_cast<const std::uint8_t*>(bits),
               static_cast<const std::uint8_t*>(bits) + 4 * width * height);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(owner, screen);
  return copied;
}

}  // namespace

bool SaveScreenPng(const RECT& area, const std::string& path) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  std::vector<std::uint8_t> bgra;
  if (!CopyPixels(nullptr, area.left, area.top, width, height, &bgra)) return false;
  const std::vector<std::uint8_t> png = EncodePng(width, height, bgra);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

bool SaveWindowPng(HWND window, const std::string& path) {
  RECT frame;
  if (!GetWindowRect(window, &frame)) return false;
  return SaveScreenPng(frame, path);
}

bool CaptureClient(HWND window, ClientFrame* frame) {
  RECT client;
  if (!GetClientRect(window, &client)) return false;
  std::vector<std::uint8_t> bgra;
  if (!CopyPixels(window, 0, 0, client.right, client.bottom, &bgra)) return false;
  frame->width = client.right;
  frame->height = client.bottom;
  frame->pixels.resize(bgra.size() / 4);
  for (std::size_t i = 0; i < frame->pixels.size(); ++i) {
    frame->pixels[i] = RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]);
  }
  return true;
}
