#include "core/bmp_picture.h"

#include <algorithm>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t U32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

unsigned U16(const std::uint8_t* at) { return at[0] | at[1] << 8; }

bool KnownBitCount(unsigned bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

bool ReadBmpPicture(const std::uint8_t* bytes, std::size_t length, BmpPicture* picture) {
  if (bytes == nullptr || length < kFileHeaderSize + kInfoHeaderSize) return false;
  if (bytes[0] != 'B' || bytes[1] != 'M') return false;
  const std::uint32_t bitsOffset = U32(bytes + 10);
  const std::uint32_t infoSize = U32(bytes + 14);
  const std::uint32_t width = U32(bytes + 18);
  const std::uint32_t height = U32(bytes + 22);
  const unsigned bitCount = U16(bytes + 28);
  const std::uint32_t compression = U32(bytes + 30);
  const std::uint32_t coloursUsed = U32(bytes + 46);

  if (infoSize < kInfoHeaderSize || infoSize > length - kFileHeaderSize) return false;
  // Only the low 16 bits are used for clipping, while GDI reads the whole
  // numbers: both must agree, and a top-down (negative) height is refused.
  if (width == 0 || width > 0xFFFF || height == 0 || height > 0xFFFF) return false;
  if (!KnownBitCount(bitCount) || compression != kUncompressed) return false;

  // GDI reads as many colours as the header says are used, whatever the bit
  // count, else the whole table of a picture of 8 bits or fewer.
  const std::uint64_t colours = coloursUsed != 0 ? coloursUsed : bitCount <= 8 ? 1u << bitCount : 0;
  const std::uint64_t colourTable = 4 * colours;
  if (bitsOffset < kFileHeaderSize + infoSize + colourTable) return false;
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
  if (static_cast<std::uint64_t>(bitsOffset) + rowBytes * height > length) return false;

  picture->width = width;
  picture->height = height;
  picture->bitsOffset = bitsOffset;
  return true;
}

void ClipPictureDraw(int rightLimit, int bottomLimit, unsigned pictureWidth, unsigned pictureHeight,
                     DrawArea* destination, DrawArea* source) {
  const int w = static_cast<int>(pictureWidth);
  const int h = static_cast<int>(pictureHeight);
  const int right = std::min(rightLimit, destination->x + w);
  const int bottom = std::min(bottomLimit, destination->y + h);
  source->x = std::min(source->x, w);
  source->y = std::min(source->y, h);
  if (source->x + source->width > w) source->width = w - source->x;
  if (source->y + source->height > h) source->height = h - source->y;
  destination->x = std::min(destination->x, right);
  destination->y = std::min(destination->y, bottom);
  if (destination->x >= right) destination->width = 0;
  if (destination->y >= bottom) destination->height = 0;
}
