#include "core/entry_stream.h"

#include "core/container_format.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

std::size_t CompressionRoom(std::size_t length) {
  return std::max<std::size_t>(length, 8192);
}

std::size_t CompressEntry(const std::uint8_t* data, std::size_t length, std::uint8_t* out,
                          std::size_t room) {
  constexpr std::size_t kMaxLong = std::numeric_limits<uLong>::max();
  if (length > kMaxLong) return 0;
  uLongf outLength = static_cast<uLongf>(std::min(room, kMaxLong));
  if (compress(out, &outLength, data, static_cast<uLong>(length)) != Z_OK) return 0;
  return outLength;
}

bool InflateEntry(const std::uint8_t* stream, std::uint32_t streamLength, std::uint8_t* out,
                  std::size_t capacity, std::size_t& inflatedLength) {
  inflatedLength = 0;
  uLongf outLength = static_cast<uLongf>(std::min(capacity, kInflateLimit));
  if (uncompress(out, &outLength, stream, streamLength) != Z_OK) return false;
  inflatedLength = outLength;
  return true;
}
