#include "bitmaps.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {static_cast<int>(a.r + (b.r - a.r) * t), static_cast<int>(a.g + (b.g - a.g) * t),
          static_cast<int>(a.b + (b.b - a.b) * t)};
}

void FillRect(Canvas& canvas, int left, int top, int right, int bottom, Rgb colour) {
  for (int y = std::max(top, 0); y < std::min(bottom, canvas.height); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, canvas.width); ++x) canvas.At(x, y) = colour;
  }
}

void VerticalGradient(Canvas& canvas, Rgb top, Rgb bottom) {
  for (int y = 0; y < canvas.height; ++y) {
    const Rgb colour = Mix(top, bottom, canvas.height > 1 ? double(y) / (canvas.height - 1) : 0.0);
    FillRect(canvas, 0, y, canvas.width, y + 1, colour);
  }
}

void Frame(Canvas& canvas, Rgb light, Rgb dark) {
  FillRect(canvas, 0, 0, canvas.width, 1, light);
  FillRect(canvas, 0, 0, 1, canvas.height, light);
  FillRect(canvas, 0, canvas.height - 1, canvas.width, canvas.height, dark);
  FillRect(canvas, canvas.width - 1, 0, canvas.width, canvas.height, dark);
}

// Scattered points of light, the "little stars" skin's pattern.
void Stars(Canvas& canvas, Rgb colour) {
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const unsigned hash = (static_cast<unsigned>(x) * 73856093u) ^ (static_cast<unsigned>(y) * 19349663u);
      if (hash % 61 == 0) canvas.At(x, y) = colour;
    }
  }
}

// Sky, mountains, mist and water scaled to the canvas, with a boat and
// its reflection.
void DrawLake(Canvas& canvas, const Palette& palette) {
  const int w = canvas.width;
  const int h = canvas.height;
  const double horizon = h * 0.42;
  const Rgb mist{226, 236, 244};
  const Rgb mountain{92, 118, 150};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double ridge = horizon - h * (0.10 + 0.05 * std::sin(x * 6.0 / w + 0.4) +
                                          0.03 * std::sin(x * 17.0 / w + 1.3));
      Rgb colour;
      if (y < ridge) {
        colour = Mix(palette.top, mist, y / horizon);
      } else if (y < horizon) {
        colour = Mix(mountain, mist, 0.15 + 0.8 * (y - ridge) / (horizon - ridge + 1));
      } else {
        const double depth = std::pow((y - horizon) / (h - horizon), 0.7);
        colour = Mix(Mix(mist, palette.bottom, 0.35), palette.dark, depth);
        if (std::sin(x * 0.09 + y * 0.7) * std::sin(y * 0.31) > 0.85) colour = Mix(colour, mist, 0.35);
      }
      canvas.At(x, y) = colour;
    }
  }
  // The boat: a dark hull, a mast and a pale sail, mirrored in the water.
  const int boatX = w * 66 / 100;
  const int waterline = static_cast<int>(horizon) + h / 9;
  const int scale = std::max(1, h / 60);
  const Rgb hull{58, 44, 38};
  const Rgb sail{240, 236, 224};
  for (int row = 0; row < 2 * scale; ++row) {
    FillRect(canvas, boatX - 6 * scale + row, waterline - 2 * scale + row, boatX + 6 * scale - row,
             waterline - 2 * scale + row + 1, hull);
  }
  FillRect(canvas, boatX, waterline - 12 * scale, boatX + std::max(1, scale / 2), waterline - 2 * scale, hull);
  for (int row = 0; row < 9 * scale; ++row) {
    const int y = waterline - 11 * scale + row;
    FillRect(canvas, boatX + 1, y, boatX + 1 + row * 5 / 9, y + 1, sail);
  }
  for (int row = 0; row < 6 * scale; ++row) {
    const int y = waterline + row;
    for (int x = boatX - 5 * scale; x < boatX + 5 * scale; ++x) {
      if (canvas.Contains(x, y) && (x + row) % 3 != 0) {
        canvas.At(x, y) = Mix(canvas.At(x, y), hull, 0.45 * (1.0 - double(row) / (6 * scale)));
      }
    }
  }
}

void DrawToolbar(Canvas& canvas, const Palette& palette) {
  VerticalGradient(canvas, palette.light, palette.top);
  const int cell = canvas.height;
  for (int left = 0, icon = 0; left + cell <= canvas.width; left += cell, ++icon) {
    const double centre = (cell - 1) / 2.0;
    for (int y = 1; y < cell - 1; ++y) {
      for (int x = 1; x < cell - 1; ++x) {
        const double dx = x - centre;
        const double dy = y - centre;
        bool inside = false;
        switch (icon % 4) {
          case 0: inside = dx * dx + dy * dy < centre * centre * 0.6; break;
          case 1: inside = std::abs(dx) < centre * 0.7 && std::abs(dy) < centre * 0.7; break;
          case 2: inside = dy > -centre * 0.7 && std::abs(dx) < (dy + centre * 0.7) * 0.6; break;
          default: inside = std::abs(dy) < centre * 0.25; break;
        }
        if (inside) canvas.At(left + x, y) = icon % 2 == 0 ? palette.accent : palette.dark;
      }
    }
  }
}

void DrawStatus(Canvas& canvas, const Palette& palette) {
  VerticalGradient(canvas, palette.light, palette.bottom);
  for (int x = canvas.height; x < canvas.width; x += canvas.height * 2) {
    FillRect(canvas, x, 3, x + 1, canvas.height - 3, palette.dark);
  }
  Frame(canvas, palette.light, palette.dark);
}

void DrawPanel(Canvas& canvas, const Palette& palette) {
  VerticalGradient(canvas, palette.top, palette.light);
  Frame(canvas, palette.light, palette.dark);
  FillRect(canvas, 2, 2, canvas.width - 2, 3, palette.accent);
}

void DrawBackground(Canvas& canvas, const Palette& palette) {
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const double wave = 0.5 + 0.5 * std::sin((x + 2.0 * y) * 2.0 * kPi / 48.0);
      canvas.At(x, y) = Mix(Mix(palette.top, palette.bottom, double(y) / canvas.height), palette.light, wave * 0.2);
    }
  }
  if (palette.stars) Stars(canvas, palette.light);
  Frame(canvas, palette.light, palette.dark);
}

}  // namespace

const Palette& PaletteOf(int set) {
  static const Palette kPalettes[] = {
      {{168, 196, 228}, {92, 140, 196}, {0, 0, 192}, {236, 242, 248}, {18, 46, 98}, false},
      {{214, 236, 250}, {120, 180, 224}, {40, 110, 190}, {246, 252, 255}, {34, 78, 130}, false},
      {{252, 222, 178}, {230, 140, 64}, {196, 84, 28}, {255, 244, 226}, {120, 56, 20}, false},
      {{40, 52, 110}, {14, 20, 58}, {250, 214, 90}, {236, 236, 255}, {6, 8, 30}, true},
  };
  return kPalettes[set >= 0 && set < 4 ? set : 0];
}

Bytes EncodeBmp(const Canvas& canvas) {
  const std::uint32_t rowSize = (static_cast<std::uint32_t>(canvas.width) * 3 + 3) & ~3u;
  const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(canvas.height);
  Bytes out;
  PutText(out, "BM");
  Put32(out, 54 + imageSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(canvas.width));
  Put32(out, static_cast<std::uint32_t>(canvas.height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = canvas.height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < canvas.width; ++x) {
      const Rgb& p = canvas.pixels[static_cast<std::size_t>(y) * canvas.width + x];
      Put8(out, static_cast<unsigned>(p.b));
      Put8(out, static_cast<unsigned>(p.g));
      Put8(out, static_cast<unsigned>(p.r));
    }
    PadTo(out, rowStart + rowSize);
  }
  return out;
}

Canvas DrawSplash() {
  constexpr int kWidth = 401;
  constexpr int kHeight = 310;
  constexpr int kShown = 190;
  Canvas canvas(kWidth, kHeight);
  Canvas lake(kWidth, kShown);
  DrawLake(lake, PaletteOf(0));
  std::copy(lake.pixels.begin(), lake.pixels.end(), canvas.pixels.begin());
  // Below the shown part: bands of colour from deep water to dusk.
  const Rgb bands[] = {{18, 46, 98}, {30, 90, 140}, {60, 140, 170}, {120, 110, 170}, {200, 150, 150}};
  const int bandHeight = (kHeight - kShown) / 5;
  for (int band = 0; band < 5; ++band) {
    const int top = kShown + band * bandHeight;
    const int bottom = band == 4 ? kHeight : top + bandHeight;
    for (int y = top; y < bottom; ++y) {
      FillRect(canvas, 0, y, kWidth, y + 1, Mix(bands[band], bands[(band + 1) % 5], double(y - top) / bandHeight / 2));
    }
  }
  return canvas;
}

bool DrawPicture(const std::string& style, int width, int height, const Palette& palette, Canvas& canvas) {
  canvas = Canvas(width, height);
  if (style == "lake") {
    DrawLake(canvas, palette);
  } else if (style == "toolbar") {
    DrawToolbar(canvas, palette);
  } else if (style == "status") {
    DrawStatus(canvas, palette);
  } else if (style == "panel") {
    DrawPanel(canvas, palette);
  } else if (style == "skin") {
    DrawBackground(canvas, palette);
  } else {
    return false;
  }
  return true;
}
