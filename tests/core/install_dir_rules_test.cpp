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
    {"c:\\lanzhu2\\", true, 1, true, "c:\\lanzhu2\\"},
    {"D:\\ab", true, 1, false, "D:\\ab\\"},
    {"", true, 0, false, "\\"},
    {"1:\\digit\\", true, 0, false, "1:\\digit\\"},
    {"c:\\ab\\cd", true, 0, false, "c:\\ab\\cd\\"},
    {"..\\..\\", true, 0, false, "..\\..\\"},
    {"c:\\..\\", true, 0, false, "c:\\..\\"},
    {"c:\\a/..\\", true, 0, false, "c:\\a/..\\"},
    {"c:\\a\tb\\", true, 0, false, "c:\\a\tb\\"},
    {std::string("c:\\a\0b\\", 7), true, 0, false, "c:\\a\\"},
    {"c:\\" + kName195 + "\\", true, 1, true, "c:\\" + kName195 + "\\"},
    {"c:\\" + kName195, true, 1, false, "c:\\" + kName195 + "\\"},
    {"c:\\" + kName195 + "a", true, 0, false, "c:\\" + kName195 + "a"},
    {"c:\\" + kName195 + "a\\", true, 0, false, "(over 199 bytes)"},
    // 誠 and 乗 in GBK, 許, 功能 and 四 in Big5: second bytes 0x5C and 0x7C.
    {"c:\\\xD5\x5C\\", true, 1, true, "c:\\\xD5\x5C\\"},
    {"c:\\\x81\x5C", true, 1, false, "c:\\\x81\x5C\\"},
    {"c:\\\xB3\x5C", true, 1, false, "c:\\\xB3\x5C\\"},
    {"c:\\\xA5\x5C\xAF\xE0\\", true, 1, true, "c:\\\xA5\x5C\xAF\xE0\\"},
    {"c:\\\xA5\x7C\\", true, 1, true, "c:\\\xA5\x7C\\"},
    // A lead byte that ends the text would make the appended backslash its own.
    {"c:\\ab\xAD", true, 0, false, "c:\\ab\xAD\\"},
    // The same bytes where each is a character.
    {"c:\\\xB3\x5C", false, 1, true, "c:\\\xB3\x5C"},
    {"c:\\\xA5\x5C\xAF\xE0\\", false, 0, false, "c:\\\xA5\x5C\xAF\xE0\\"},
    {"c:\\\xA5\x7C\\", false, 0, false, "c:\\\xA5\x7C\\"},
};

TEST(InstallDirRules, PagePersistingAndRecordsGoByCharacters) {
  for (const DirCase& row : kDirCases) {
    SCOPED_TRACE("\"" + row.text + (row.doubleByte ? "\" double-byte" : "\" single-byte"));
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
  }
  // The strip leaves a second byte 0x5C, and takes a backslash only once.
  char big5[] = "c:\\\xB3\x5C";
  StripDirBackslash(big5, LeadsOf(true));
  EXPECT_STREQ("c:\\\xB3\x5C", big5);
  char persisted[] = "c:\\\xB3\x5C\\";
  StripDirBackslash(persisted, LeadsOf(true));
  EXPECT_STREQ("c:\\\xB3\x5C", persisted);
}

TEST(IsResolvedDir, LooksOnlyAtTheSecondAndThirdCharacter) {
  const auto resolved = [](const char* text) {
    char dir[kInstallDirSize] = {};
    std::memcpy(dir, text, std::strlen(text) + 1);
    return IsResolvedDir(dir);
  };
  EXPECT_TRUE(resolved("c:\\lanzhu2\\"));
  EXPECT_TRUE(resolved("9:\\"));
  EXPECT_FALSE(resolved("lanzisadmin\\"));
  EXPECT_FALSE(resolved(""));
  char cleared[kInstallDirSize] = "c:\\x";
  cleared[0] = '\0';
  EXPECT_TRUE(IsResolvedDir(cleared));
}

TEST(RegistrationDirArgument, TakesOnlyTheFirstLowerCaseR) {
  EXPECT_STREQ("d:\\lanzhu2\\", RegistrationDirArgument("reglz32=d:\\lanzhu2\\"));
  EXPECT_STREQ("\"d:\\a b\\\" ", RegistrationDirArgument("reglz32=\"d:\\a b\\\" "));
  EXPECT_STREQ("", RegistrationDirArgument("reglz32="));
  EXPECT_STREQ("e:\\x\\", RegistrationDirArgument("SETUP reglz32=e:\\x\\"));
  EXPECT_EQ(nullptr, RegistrationDirArgument("REGLZ32=d:\\lanzhu2\\"));
  EXPECT_EQ(nullptr, RegistrationDirArgument("/norestart reglz32=d:\\lanzhu2\\"));
  EXPECT_EQ(nullptr, RegistrationDirArgument("reglz32"));
  EXPECT_EQ(nullptr, RegistrationDirArgument(""));
}

}  // namespace
