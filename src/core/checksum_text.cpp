#include "core/checksum_text.h"

void FormatChecksumText(const std::uint8_t (&digest)[kDigestSize],
                        char (&text)[kChecksumTextSize]) {
  static const char kHex[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < kDigestSize; ++i) {
    text[2 * i] = kHex[digest[i] >> 4];
    text[2 * i + 1] = kHex[digest[i] & 0x0F];
  }
  text[2 * kDigestSize] = '\0';
  text[2 * kDigestSize + 1] = '\0';
}
