#include "core/checksum_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ChecksumText, IsUpperCaseHexThenTwoNuls) {
  // MD5 of empty input.
  const std::uint8_t empty[kDigestSize] = {0xD4, 0x1D, 0x8C, 0xD9, 0x8F, 0x00, 0xB2, 0x04,
                                           0xE9, 0x80, 0x09, 0x98, 0xEC, 0xF8, 0x42, 0x7E};
  char text[kChecksumTextSize];
  std::memset(text, 'x', sizeof text);
  FormatChecksumText(empty, text);
  EXPECT_EQ(0, std::memcmp("D41D8CD98F00B204E9800998ECF8427E\0\0", text, sizeof text));

  const std::uint8_t extremes[kDigestSize] = {0x00, 0xFF, 0x0A, 0xA0, 0x09, 0x90};
  FormatChecksumText(extremes, text);
  EXPECT_STREQ("00FF0AA00990" "00000000000000000000", text);
}

}  // namespace
