#include "core/version_stamp.h"

#include <cstring>

namespace {

// "智能岚舟输入平台" in UTF-16 little-endian.
const std::uint8_t kProductName[16] = {0x7A, 0x66, 0xFD, 0x80, 0x9A, 0x5C, 0x1F, 0x82,
                                       0x93, 0x8F, 0x65, 0x51, 0x73, 0x5E, 0xF0, 0x53};

}  // namespace

int StampVersionText(std::uint8_t* bytes, std::size_t length) {
  int changed = 0;
  std::size_t at = 0;
  while (at + sizeof kProductName <= length) {
    if (std::memcmp(bytes + at, kProductName, sizeof kProductName) != 0) {
      ++at;
      continue;
    }
    const std::size_t q = at + sizeof kProductName;
    if (q + 8 < length && bytes[q] == ' ' && bytes[q + 4] == '6' && bytes[q + 6] == '.' &&
        (bytes[q + 8] == '3' || bytes[q + 8] == '7')) {
      bytes[q + 4] = '7';
      bytes[q + 8] = '3';
      ++changed;
    }
    at = q + 1;
  }
  return changed;
}
