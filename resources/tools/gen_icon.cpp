// Draws the installer's class icon "lanzhu": a boat with a sail on a misty
// blue disc, 32 x 32 pixels, 32-bit colour with alpha, written as an .ico.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;

struct Pixel {
  std::uint8_t b, g, r, a;
};

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

Pixel PixelAt(int x, int y) {
  const double cx = x + 0.5 - kSize / 2.0;
  const double cy = y + 0.5 - kSize / 2.0;
  const double radius = std::sqrt(cx * cx + cy * cy);
  if (radius > 15.5) return {0, 0, 0, 0};
  // Hull: a trapezoid across the lower third.
  if (y >= 20 && y <= 24 && x >= 6 + (y - 20) && x <= 25 - (y - 20)) return {40, 70, 140, 255};
  // Mast and sail: a white triangle to the right of the mast.
  if (x == 15 && y >= 6 && y < 20) return {60, 60, 60, 255};
  if (y >= 7 && y < 19 && x > 15 && x <= 15 + (y - 6) * 8 / 12) return {250, 250, 250, 255};
  // Water and mist: blue growing lighter towards the top.
  const int light = 120 + y * 3;
  return {static_cast<std::uint8_t>(230), static_cast<std::uint8_t>(light),
          static_cast<std::uint8_t>(light / 2), 255};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gen_icon OUT.ico\n");
    return 2;
  }
  std::vector<std::uint8_t> image;
  Put32(image, 40);           // BITMAPINFOHEADER size
  Put32(image, kSize);        // width
  Put32(image, kSize * 2);    // height of colour plus mask
  Put16(image, 1);            // planes
  Put16(image, 32);           // bits per pixel
  for (int i = 0; i < 6; ++i) Put32(image, 0);
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; ++x) {
      const Pixel p = PixelAt(x, y);
      image.insert(image.end(), {p.b, p.g, p.r, p.a});
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    std::uint32_t row = 0;
    for (int x = 0; x < kSize; ++x) {
      if (PixelAt(x, y).a == 0) row |= 0x80000000u >> x;
    }
    image.insert(image.end(), {static_cast<std::uint8_t>(row >> 24),
                               static_cast<std::uint8_t>(row >> 16),
                               static_cast<std::uint8_t>(row >> 8), static_cast<std::uint8_t>(row)});
  }

  std::vector<std::uint8_t> icon;
  Put16(icon, 0);
  Put16(icon, 1);  // an icon
  Put16(icon, 1);  // one image
  icon.push_back(kSize);
  icon.push_back(kSize);
  icon.push_back(0);
  icon.push_back(0);
  Put16(icon, 1);
  Put16(icon, 32);
  Put32(icon, static_cast<unsigned>(image.size()));
  Put32(icon, 6 + 16);
  icon.insert(icon.end(), image.begin(), image.end());

  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(icon.data(), 1, icon.size(), out) != icon.size() ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "gen_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
