// The installation directory: what the path page accepts, which records of
// it are believed, and how persisting ends it, character by character.
#include "core/install_dir_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// GBK (936) and Big5 (950) both begin double-byte characters with 0x81 to
// 0xFE; a single-byte code page has none.
LeadBytes LeadsOf(bool doubleByte) {
  LeadBytes leads{};
  for (int value = 0x81; value <= 0xFE; ++value) leads.lead[value] = doubleByte;
  return leads;
}

const std::string kName195(195, 'a');

struct DirCase {
  std::string text;
  bool doubleByte;
  int page;               // CheckInstallDir
  bool record;            // AcceptDirRecord of the same bytes
  std::string persisted;  // after AppendDirBackslash
};

const DirCase kDirCases[] = {
    {"c:\\lanzhu2\\", true, 1, true, "c:\\lanzhu2\\"}, {"D:\\ab", true, 1, false, "D:\\ab\\"},
    {"", true, 0, false, "\\"}, {"1:\\digit\\", true, 0, false, "1:\\digit\\"},
    {"c:\\ab\\cd", true, 0, false, "c:\\ab\\cd\\"}, {"c:\\..\\", true, 0, false, "c:\\..\\"},
    {"c:\\a/..\\", true, 0, false, "c:\\a/..\\"}, {"c:\\a\tb\\", true, 0, false, "c:\\a\tb\\"},
    {std::string("c:\\a\0b\\", 7), true, 0, false, "c:\\a\\"},
    {"c:\\" + kName195 + "\\", true, 1, true, "c:\\" + kName195 + "\\"},
    {"c:\\" + kName195 + "a", true, 0, false, "c:\\" + kName195 + "a"},
    {"c:\\" + kName195 + "a\\", true, 0, false, ""},
    // 誠 in GBK, 許, 功能 and 四 in Big5: second bytes 0x5C and 0x7C.
    {"c:\\\xD5\x5C\\", true, 1, true, "c:\\\xD5\x5C\\"},
    {"c:\\\xB3\x5C", true, 1, false, "c:\\\xB3\x5C\\"},
    {"c:\\\xA5\x5C\xAF\xE0\\", true, 1, true, "c:\\\xA5\x5C\xAF\xE0\\"},
    {"c:\\\xA5\x7C\\", true, 1, true, "c:\\\xA5\x7C\\"},
    // A lead byte that ends the text would make the appended backslash its own.
    {"c:\\ab\xAD", true, 0, false, "c:\\ab\xAD\\"},
    // The same bytes where each is a character.
    {"c:\\\xB3\x5C", false, 1, true, "c:\\\xB3\x5C"},
    {"c:\\\xA5\x7C\\", false, 0, false, "c:\\\xA5\x7C\\"},
};

TEST(InstallDirRules, PagePersistingAndRecordsGoByCharacters) {
  for (const DirCase& row : kDirCases) {
    SCOPED_TRACE("\"" + row.text + (row.doubleByte ? "\" in 936 and 950" : "\" single-byte"));
    const LeadBytes leads = LeadsOf(row.doubleByte);
    EXPECT_EQ(row.page, CheckInstallDir(row.text.c_str(), leads));
    char dir[kInstallDirSize];
    std::memset(dir, 'x', sizeof dir);
    EXPECT_EQ(row.record, AcceptDirRecord(row.text.data(), row.text.size(), leads, dir));
    EXPECT_EQ(row.record ? row.text : std::string(sizeof dir, 'x'),
              std::string(dir, row.record ? std::strlen(dir) : sizeof dir));
    if (row.text.size() > kInstallDirMaxChars) continue;
    char persisted[kInstallDirSize] = {};
    std::memcpy(persisted, row.text.c_str(), row.text.size() + 1);
    AppendDirBackslash(persisted, leads);
    EXPECT_EQ(row.persisted, persisted);
    if (row.page == 0) continue;
    StripDirBackslash(persisted, leads);
    EXPECT_EQ(row.persisted.substr(0, row.persisted.size() - (row.persisted.back() == '\\')),
              persisted);
  }
}

TEST(InstallDirRules, OnlyAStringValueAndALowerCaseKeywordCarryADirectory) {
  std::size_t length = 12;
  EXPECT_TRUE(RegistryValueText(kRegSzType, "c:\\lanzhu2\\", length));
  EXPECT_EQ(11u, length);  // the stored terminator is no part of it
  for (std::uint32_t type : {0u, 2u, 3u, 4u, 7u}) {
    EXPECT_FALSE(RegistryValueText(type, "c:\\lanzhu2\\", length)) << type;
  }
  EXPECT_STREQ("d:\\lanzhu2\\", RegistrationDirArgument("SETUP reglz32=d:\\lanzhu2\\"));
  EXPECT_STREQ("", RegistrationDirArgument("reglz32="));
  EXPECT_EQ(nullptr, RegistrationDirArgument("REGLZ32=d:\\lanzhu2\\"));
  EXPECT_EQ(nullptr, RegistrationDirArgument("/norestart reglz32=d:\\lanzhu2\\"));
}

}  // namespace
