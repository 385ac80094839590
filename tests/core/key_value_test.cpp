#include "core/key_value.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ValueOf(const std::string& text, const char* key) {
  char value[kKeyValueSize];
  FindKeyValue(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), key, value);
  return value;
}

TEST(FindKeyValue, CopiesUpToTheFirstBlankOrControlByte) {
  EXPECT_EQ("www.a.cn", ValueOf("LZNETURL1=www.a.cn\r\nLZNETURL2=b\r\n", "LZNETURL1="));
  EXPECT_EQ("b", ValueOf("LZNETURL1=www.a.cn\r\nLZNETURL2=b\r\n", "LZNETURL2="));
  EXPECT_EQ("", ValueOf("LZNETURL1=\r\nLZNETURL2=b\r\n", "LZNETURL1="));
  EXPECT_EQ("www.a", ValueOf("LZNETURL1=www.a cn\r\n", "LZNETURL1="));
  EXPECT_EQ("a", ValueOf("K=a\tb", "K="));  // a tab ends it too
  EXPECT_EQ("\xD5\xFE\xB8\xAE.cn", ValueOf("K=\xD5\xFE\xB8\xAE.cn\r\n", "K="));  // GBK kept
}

TEST(FindKeyValue, FirstOccurrenceAnywhereWinsAndCaseMatters) {
  EXPECT_EQ("first", ValueOf("K=first\r\nK=second\r\n", "K="));
  EXPECT_EQ("inner", ValueOf("XLZNETURL1=inner\r\n", "LZNETURL1="));
  EXPECT_EQ("", ValueOf("lznetURL1=lower\r\n", "LZNETURL1="));
  EXPECT_EQ("", ValueOf("", "K="));
}

TEST(FindKeyValue, NeverLooksPastTheLengthAndCutsAt250) {
  const std::string text = "K=" + std::string(300, 'v');
  EXPECT_EQ(std::string(250, 'v'), ValueOf(text, "K="));
  char value[kKeyValueSize];
  FindKeyValue(reinterpret_cast<const std::uint8_t*>(text.data()), 7, "K=", value);
  EXPECT_STREQ("vvvvv", value);
  FindKeyValue(reinterpret_cast<const std::uint8_t*>("LZNETURL1=x"), 9, "LZNETURL1=", value);
  EXPECT_STREQ("", value);  // the key itself runs past the length
}

TEST(CopySiteAddress, KeepsNinetyNineBytesWithoutSplittingACharacter) {
  char address[kSiteAddressSize];
  CopySiteAddress(std::string(150, 'a').c_str(), address);
  EXPECT_EQ(std::string(99, 'a'), address);
  std::string gbk;
  for (int i = 0; i < 60; ++i) gbk += "\xD5\xFE";
  CopySiteAddress(gbk.c_str(), address);
  EXPECT_EQ(gbk.substr(0, 98), address);  // the 50th character would not fit whole
  CopySiteAddress(("a" + gbk).c_str(), address);
  EXPECT_EQ(("a" + gbk).substr(0, 99), address);
  CopySiteAddress("www.\xD5", address);  // a lead byte at the end stays a byte
  EXPECT_STREQ("www.\xD5", address);
}

TEST(BuildSiteAddressText, NineCrLfLinesWithTheFixedSettings) {
  char text[kConfigTextSize];
  const std::size_t length = BuildSiteAddressText("www.org.cn", "", text);
  EXPECT_EQ(
      "LZNETURL1=www.org.cn\r\nLZNETURL2=\r\nLZNETTIME=1\r\nLZBJTIME=7\r\nLZWYTIME=3\r\n"
      "LZSJOFF=0\r\nLZNETTIME0=0\r\nLZBJTIME0=0\r\nLZNEONE=1\r\n",
      std::string(text, length));
  // Addresses are at most 99 characters, as the address buffers hold.
  const std::string longSite(150, 'x');
  const std::size_t cut = BuildSiteAddressText(longSite.c_str(), longSite.c_str(), text);
  EXPECT_EQ(std::string(99, 'x'), ValueOf(std::string(text, cut), "LZNETURL1="));
  EXPECT_EQ(std::string(99, 'x'), ValueOf(std::string(text, cut), "LZNETURL2="));
}

}  // namespace
