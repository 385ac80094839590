#include "core/install_dir_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// GBK (936) and Big5 (950) both begin double-byte characters with 0x81 to
// 0xFE; a single-byte code page has no lead bytes.
enum class CodePage { kGbk, kBig5, kSingleByte };

LeadBytes LeadsOf(CodePage codePage) {
  LeadBytes leads{};
  if (codePage == CodePage::kSingleByte) return leads;
  for (int byte = 0x81; byte <= 0xFE; ++byte) leads.lead[byte] = true;
  return leads;
}

const std::string kLongName(195, 'a');

struct DirCase {
  std::string text;
  CodePage codePage;
  int page;               // CheckInstallDir
  bool record;            // AcceptDirRecord of the same bytes
  std::string persisted;  // after AppendDirBackslash
  std::string stripped;   // persisted after StripDirBackslash
};

const DirCase kDirCases[] = {
    {"c:\\lanzhu2\\", CodePage::kGbk, 1, true, "c:\\lanzhu2\\", "c:\\lanzhu2"},
    {"c:\\lanzhu2", CodePage::kGbk, 1, false, "c:\\lanzhu2\\", "c:\\lanzhu2"},
    {"D:\\ab", CodePage::kGbk, 1, false, "D:\\ab\\", "D:\\ab"},
    {"c:\\a", CodePage::kGbk, 0, false, "c:\\a\\", "c:\\a"},
    {"c:\\", CodePage::kGbk, 0, false, "c:\\", "c:"},
    {"", CodePage::kGbk, 0, false, "\\", ""},
    {"1:\\digit\\", CodePage::kGbk, 0, false, "1:\\digit\\", "1:\\digit"},
    {"c:\\a\\b\\", CodePage::kGbk, 0, false, "c:\\a\\b\\", "c:\\a\\b"},
    {"c:\\ab\\cd", CodePage::kGbk, 0, false, "c:\\ab\\cd\\", "c:\\ab\\cd"},
    {"..\\..\\", CodePage::kGbk, 0, false, "..\\..\\", "..\\.."},
    {"c:/lanzhu2/", CodePage::kGbk, 0, false, "c:/lanzhu2/\\", "c:/lanzhu2/"},
    {"\\\\srv\\share\\", CodePage::kGbk, 0, false, "\\\\srv\\share\\", "\\\\srv\\share"},
    {"c:\\..\\", CodePage::kGbk, 0, false, "c:\\..\\", "c:\\.."},
    {"c:\\name.\\", CodePage::kGbk, 0, false, "c:\\name.\\", "c:\\name."},
    {"c:\\name \\", CodePage::kGbk, 0, false, "c:\\name \\", "c:\\name "},
    {"c:\\a/..\\", CodePage::kGbk, 0, false, "c:\\a/..\\", "c:\\a/.."},
    {"c:\\a:b\\", CodePage::kGbk, 0, false, "c:\\a:b\\", "c:\\a:b"},
    {"c:\\a\tb\\", CodePage::kGbk, 0, false, "c:\\a\tb\\", "c:\\a\tb"},
    {"c:\\" + kLongName + "\\", CodePage::kGbk, 1, true, "c:\\" + kLongName + "\\",
     "c:\\" + kLongName},
    {"c:\\" + kLongName, CodePage::kGbk, 1, false, "c:\\" + kLongName + "\\", "c:\\" + kLongName},
    {"c:\\" + kLongName + "a", CodePage::kGbk, 0, false, "c:\\" + kLongName + "a",
     "c:\\" + kLongName + "a"},
    // 誠 and 乗 in GBK, 許, 功能 and 四 in Big5: second bytes 0x5C and 0x7C.
    {"c:\\\xD5\x5C\\", CodePage::kGbk, 1, true, "c:\\\xD5\x5C\\", "c:\\\xD5\x5C"},
    {"c:\\\x81\x5C", CodePage::kGbk, 1, false, "c:\\\x81\x5C\\", "c:\\\x81\x5C"},
    {"c:\\\xB3\x5C", CodePage::kBig5, 1, false, "c:\\\xB3\x5C\\", "c:\\\xB3\x5C"},
    {"c:\\\xA5\x5C\xAF\xE0\\", CodePage::kBig5, 1, true, "c:\\\xA5\x5C\xAF\xE0\\",
     "c:\\\xA5\x5C\xAF\xE0"},
    {"c:\\\xA5\x7C\\", CodePage::kBig5, 1, true, "c:\\\xA5\x7C\\", "c:\\\xA5\x7C"},
    // A lead byte that ends the text would make the appended backslash its own.
    {"c:\\ab\xAD", CodePage::kGbk, 0, false, "c:\\ab\xAD\\", "c:\\ab\xAD\\"},
    // The same bytes where they are single characters.
    {"c:\\\xB3\x5C", CodePage::kSingleByte, 1, true, "c:\\\xB3\x5C", "c:\\\xB3"},
    {"c:\\\xA5\x5C\xAF\xE0\\", CodePage::kSingleByte, 0, false, "c:\\\xA5\x5C\xAF\xE0\\",
     "c:\\\xA5\x5C\xAF\xE0"},
    {"c:\\\xA5\x7C\\", CodePage::kSingleByte, 0, false, "c:\\\xA5\x7C\\", "c:\\\xA5\x7C"},
};

TEST(InstallDirRules, PagePersistingAndRecordsByCharacters) {
  for (const DirCase& row : kDirCases) {
    SCOPED_TRACE("\"" + row.text + "\" leads " + std::to_string(static_cast<int>(row.codePage)));
    const LeadBytes leads = LeadsOf(row.codePage);
    EXPECT_EQ(row.page, CheckInstallDir(row.text.c_str(), leads));

    char dir[kInstallDirSize];
    std::memset(dir, 'x', sizeof dir);
    EXPECT_EQ(row.record, AcceptDirRecord(row.text.data(), row.text.size(), leads, dir));
    if (row.record) {
      EXPECT_EQ(row.text, dir);
      EXPECT_EQ('\0', dir[kInstallDirMaxChars]);
    } else {
      EXPECT_EQ(std::string(sizeof dir, 'x'), std::string(dir, sizeof dir));  // left alone
    }

    char persisted[kInstallDirSize] = {};
    std::memcpy(persisted, row.text.c_str(), row.text.size());
    AppendDirBackslash(persisted, leads);
    EXPECT_EQ(row.persisted, persisted);
    StripDirBackslash(persisted, leads);
    EXPECT_EQ(row.stripped, persisted);
  }
}

TEST(InstallDirRules, RecordBytesAndRegistryTypes) {
  const LeadBytes leads = LeadsOf(CodePage::kGbk);
  char dir[kInstallDirSize] = {};
  // Bytes beyond the text count: a NUL inside, or one past 199.
  EXPECT_FALSE(AcceptDirRecord("c:\\a\0b\\", 7, leads, dir));
  EXPECT_FALSE(AcceptDirRecord("\0\0\0\0\0\0", 6, leads, dir));
  const std::string full = "c:\\" + std::string(kInstallDirMaxChars - 4, 'f') + "\\";
  EXPECT_TRUE(AcceptDirRecord(full.data(), full.size(), leads, dir));
  const std::string tooLong = "c:\\" + std::string(kInstallDirMaxChars - 3, 'f') + "\\";
  EXPECT_FALSE(AcceptDirRecord(tooLong.data(), tooLong.size(), leads, dir));

  // A REG_SZ loses one stored terminator; every other type has no text.
  std::size_t length = 8;
  EXPECT_TRUE(RegistryValueText(kRegSzType, "c:\\dir\\\0", length));
  EXPECT_EQ(7u, length);
  length = 9;
  EXPECT_TRUE(RegistryValueText(kRegSzType, "c:\\dir\\\0\0", length));
  EXPECT_FALSE(AcceptDirRecord("c:\\dir\\\0", length, leads, dir));
  for (std::uint32_t type : {0u, 2u, 3u, 4u, 7u}) {
    length = 8;
    EXPECT_FALSE(RegistryValueText(type, "c:\\dir\\\0", length)) << type;
  }
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
