#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "byte_sink.h"

struct Rgb {
  int r, g, b;
};

// A picture in memory, top row first.
struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Canvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, Rgb{0, 0, 0}) {}
  Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// The colours of a set of pictures: 0 the splash lake, 1 to 3 the skins
// "冰川蓝调" (ice blue), "暖橙釉面" (warm orange glaze), "小星辰" (little stars).
struct Palette {
  Rgb top, bottom, accent, light, dark;
  bool stars;
};
const Palette& PaletteOf(int set);

// A 24-bit bottom-up BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, rows
// padded to four bytes), the form the installer's splash reader expects.
Bytes EncodeBmp(const Canvas& canvas);

// The welcome picture, 401 x 310: a misty lake with a boat under mountains,
// bands of colour below the part the welcome page shows (its top 400 x 190).
Canvas DrawSplash();

// A picture of the given style: "lake", "toolbar", "status", "panel" or
// "skin". Returns false for an unknown style.
bool DrawPicture(const std::string& style, int width, int height, const Palette& palette, Canvas& canvas);
