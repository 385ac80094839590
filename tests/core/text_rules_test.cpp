// Readers of texts and bytes others write: keywords, key=value texts, the
// address file, the splash picture's draws and the version stamp.
#include "core/bmp_picture.h"
#include "core/key_value.h"
#include "core/text_match.h"
#include "core/version_stamp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ContainsNoCase, FoldsUpperCaseTextOntoALowerCasePatternOnly) {
  struct Case {
    const char* text;
    const char* pattern;
    int found;
  } const cases[] = {
      {"LANZ320.IME", "lanz320.ime", 1}, {"lanz320.ime", "LANZ320.IME", 0},
      {"/norestart ReGlZ32=d:\\", "reglz32", 1}, {"reglz33", "reglz32", 0},
      {"[", "{", 0},  // '[' + 32 is '{' but '[' is no letter
      {"setlzsrf3", "setlzsrf32", 0}, {"a", "", 1}, {"", "", 0},
      // GBK "岚" is 0xE1 0xB0; 0xC1 would be its byte minus 32.
      {"\xE1\xB0REGLZ32", "reglz32", 1}, {"\xC1", "\xE1", 0}, {"\xE1", "\xC1", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.found, ContainsNoCase(c.text, c.pattern)) << c.text;
}

std::string ValueOf(const std::string& text, const char* key, std::size_t length = 9999) {
  char value[kKeyValueSize];
  FindKeyValue(reinterpret_cast<const std::uint8_t*>(text.data()), std::min(length, text.size()),
               key, value);
  return value;
}

TEST(FindKeyValue, TheFirstValueOfTheKeyUpToABlankOrControlByte) {
  const std::string text = "LZNETURL1=www.a.cn\r\nLZNETURL2=b c\r\nK=\tx\r\nK=second";
  EXPECT_EQ("www.a.cn", ValueOf(text, "LZNETURL1="));
  EXPECT_EQ("b", ValueOf(text, "LZNETURL2="));
  EXPECT_EQ("", ValueOf(text, "K="));
  EXPECT_EQ("", ValueOf(text, "lzneturl1="));
  EXPECT_EQ("inner", ValueOf("XK=inner", "K="));
  EXPECT_EQ("\xD5\xFE\xB8\xAE.cn", ValueOf("K=\xD5\xFE\xB8\xAE.cn\r\n", "K="));
  EXPECT_EQ(std::string(250, 'v'), ValueOf("K=" + std::string(300, 'v'), "K="));
  EXPECT_EQ("vvvvv", ValueOf("K=" + std::string(300, 'v'), "K=", 7));
  EXPECT_EQ("", ValueOf("LZNETURL1=x", "LZNETURL1=", 9));
}

TEST(SiteAddress, KeepsNinetyNineBytesWithoutSplittingACharacter) {
  char address[kSiteAddressSize];
  std::string gbk;
  for (int i = 0; i < 60; ++i) gbk += "\xD5\xFE";
  CopySiteAddress(gbk.c_str(), address);
  EXPECT_EQ(gbk.substr(0, 98), address);  // the 50th character would not fit whole
  CopySiteAddress(("a" + gbk).c_str(), address);
  EXPECT_EQ(("a" + gbk).substr(0, 99), address);
  CopySiteAddress("www.\xD5", address);  // a lead byte at the end stays a byte
  EXPECT_STREQ("www.\xD5", address);
}

TEST(PictureClipping, SourceIsCutToThePictureAndTheDestinationToTheLimits) {
  const struct {
    unsigned width, height;
    DrawArea destination, source;
    const char* clipped;  // destination, source
  } cases[] = {
      {401, 310, {0, 0, 400, 190}, {0, 0, 400, 190}, "0,0,400,190 0,0,400,190"},
      // The destination keeps its size: the stretch does the rest.
      {100, 50, {0, 0, 400, 190}, {60, 30, 400, 190}, "0,0,400,190 60,30,40,20"},
      {100, 50, {0, 0, 10, 10}, {150, 70, 10, 10}, "0,0,10,10 100,50,0,0"},
      {401, 310, {400, 10, 20, 20}, {0, 0, 20, 20}, "400,10,0,20 0,0,20,20"},
      {401, 310, {10, 200, 20, 20}, {0, 0, 20, 20}, "10,190,20,0 0,0,20,20"},
  };
  const auto text = [](const DrawArea& a) {
    return std::to_string(a.x) + "," + std::to_string(a.y) + "," + std::to_string(a.width) + "," +
           std::to_string(a.height);
  };
  for (const auto& c : cases) {
    DrawArea destination = c.destination, source = c.source;
    ClipPictureDraw(400, 190, c.width, c.height, &destination, &source);
    EXPECT_EQ(c.clipped, text(destination) + " " + text(source));
  }
}

// The UTF-16LE bytes of a text.
std::string Utf16(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

TEST(StampVersionText, RaisesSixThreeAndSixSevenAtEveryOccurrenceAndNothingElse) {
  const std::string old3 = Utf16(u"智能岚舟输入平台  6.3"), old7 = Utf16(u"智能岚舟输入平台  6.7");
  const std::string full = Utf16(u"智能岚舟输入平台  7.3");
  std::string bytes = "MZ\x90" + old3 + "pad" + old7 + old3;
  EXPECT_EQ(3, StampVersionText(reinterpret_cast<std::uint8_t*>(&bytes[0]), bytes.size()));
  EXPECT_EQ("MZ\x90" + full + "pad" + full + full, bytes);
  for (std::string other : {full, Utf16(u"智能岚舟输入平台  6.5"), Utf16(u"智能嵐舟輸入平台  6.3"),
                            old3.substr(0, old3.size() - 2)}) {
    const std::string before = other;
    EXPECT_EQ(0, StampVersionText(reinterpret_cast<std::uint8_t*>(&other[0]), other.size()));
    EXPECT_EQ(before, other);
  }
}

}  // namespace
