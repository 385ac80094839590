// Any bytes as the splash picture: a header the check accepts must give GDI
// only what lies inside the bytes (the info header, the colour table GDI
// reads for it, every row of pixels), and the clipped draws of the welcome
// page must take their source from inside the picture.

#include "core/bmp_picture.h"

#include <cstdint>
#include <cstdlib>

static std::uint32_t U32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

static void CheckSource(const BmpPicture& picture, DrawArea destination, DrawArea source) {
  ClipPictureDraw(400, 190, picture.width, picture.height, &destination, &source);
  if (destination.width <= 0 || destination.height <= 0) return;
  const std::int64_t width = picture.width;
  const std::int64_t height = picture.height;
  if (source.x < 0 || source.y < 0 || source.x + std::int64_t{source.width} > width ||
      source.y + std::int64_t{source.height} > height) {
    std::abort();
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BmpPicture picture;
  if (!ReadBmpPicture(data, size, &picture)) return 0;
  const std::uint64_t infoSize = U32(data + 14);
  const unsigned bitCount = data[28] | data[29] << 8;
  const std::uint64_t coloursUsed = U32(data + 46);
  // GDI reads as many colours as the header says it uses, else the whole
  // table of a picture of 8 bits or fewer.
  const std::uint64_t colours = coloursUsed != 0 ? coloursUsed : bitCount <= 8 ? 1u << bitCount : 0;
  if (14 + infoSize + 4 * colours > picture.bitsOffset) std::abort();
  const std::uint64_t rowBytes = (std::uint64_t{picture.width} * bitCount + 31) / 32 * 4;
  if (picture.bitsOffset + rowBytes * picture.height > size) std::abort();
  CheckSource(picture, {0, 0, 400, 190}, {0, 0, 400, 190});
  CheckSource(picture, {73, 90, 128, 35}, {73, 90, 128, 2});
  return 0;
}
