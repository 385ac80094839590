#include "core/version_stamp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The UTF-16LE bytes of a text given in UTF-8 (the product name and ASCII).
std::string Utf16(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

int Stamp(std::string& bytes) {
  return StampVersionText(reinterpret_cast<std::uint8_t*>(&bytes[0]), bytes.size());
}

TEST(StampVersionText, RaisesSixThreeAndSixSevenAtEveryOccurrence) {
  std::string bytes = "MZ\x90" + Utf16(u"智能岚舟输入平台  6.3") + "pad" +
                      Utf16(u"智能岚舟输入平台  6.7") + Utf16(u"智能岚舟输入平台  6.3");
  EXPECT_EQ(3, Stamp(bytes));
  EXPECT_EQ("MZ\x90" + Utf16(u"智能岚舟输入平台  7.3") + "pad" + Utf16(u"智能岚舟输入平台  7.3") +
                Utf16(u"智能岚舟输入平台  7.3"),
            bytes);
}

TEST(StampVersionText, LeavesOtherVersionsAndTextsAlone) {
  for (const std::u16string& text :
       {std::u16string(u"智能岚舟输入平台  7.3"), std::u16string(u"智能岚舟输入平台  5.3"),
        std::u16string(u"智能岚舟输入平台  6.5"), std::u16string(u"智能岚舟输入  6.3"),
        std::u16string(u"智能嵐舟輸入平台  6.3")}) {
    std::string bytes = Utf16(text);
    const std::string before = bytes;
    EXPECT_EQ(0, Stamp(bytes));
    EXPECT_EQ(before, bytes);
  }
}

TEST(StampVersionText, NeverTouchesBytesPastTheEnd) {
  // The name followed by a version cut short by the end of the data.
  std::string bytes = Utf16(u"智能岚舟输入平台  6.3");
  bytes.resize(bytes.size() - 2);
  const std::string before = bytes;
  EXPECT_EQ(0, Stamp(bytes));
  EXPECT_EQ(before, bytes);
  std::string empty;
  EXPECT_EQ(0, Stamp(empty));
}

}  // namespace
