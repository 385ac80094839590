// What the installer writes and checks of the user's data and the system:
// the settings record, the backup list, the report's checks and the layout ids.
#include "core/backup_list.h"
#include "core/layout_ids.h"
#include "core/report_rules.h"
#include "core/settings_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

TEST(SettingsRecord, ChangesOnlyTheBytesOfTheChoicesMade) {
  std::uint8_t record[kSettingsRecordSize];
  DefaultSettingsRecord(record);
  EXPECT_EQ(11, std::count(record, record + sizeof record, 1));
  EXPECT_EQ(54, record[8]);
  const auto changes = [&record](bool traditional, bool pinyin, int mode) {
    for (std::size_t i = 0; i < sizeof record; ++i) record[i] = static_cast<std::uint8_t>(100 + i);
    AdjustSettingsRecord(record, traditional, pinyin, mode);
    std::string text;
    for (std::size_t i = 0; i < sizeof record; ++i) {
      if (record[i] == static_cast<std::uint8_t>(100 + i)) continue;
      text += std::to_string(i) + "=" + std::to_string(record[i]) + " ";
    }
    return text;
  };
  EXPECT_EQ("0=0 1=1 21=0 62=0 63=0 ", changes(false, false, 1));
  EXPECT_EQ("0=1 1=1 21=0 62=0 63=0 ", changes(false, false, 2));
  // Dual and Windows-like are crossed against the page's numbering.
  EXPECT_EQ("0=4 1=1 21=1 62=0 63=0 ", changes(false, false, 3));
  EXPECT_EQ("0=3 1=1 15=1 19=1 21=1 22=0 25=1 27=0 28=0 29=0 30=0 31=0 32=0 33=0 34=0 35=0 36=0 "
            "42=0 62=0 63=0 66=0 67=0 68=0 69=0 75=1 80=10 ", changes(true, true, 4));
}

// The rows as "kind:name", kinds 0 pair, 1 required, 2 optional.
std::string Rows(bool pinyin) {
  BackupRow rows[kMaxBackupRows];
  std::string text;
  for (std::size_t i = 0; i < BackupRows(pinyin, rows); ++i) {
    text += std::to_string(static_cast<int>(rows[i].kind)) + ":" + rows[i].name + " ";
  }
  return text;
}

TEST(BackupList, PairsThenRequiredThenOptionalFilesInListOrder) {
  const std::string wubi =
      "0:lanzcyzk.lz1 0:lfontset.lz1 0:lwbzlcz1.lz1 0:lzwbcmxz.lz1 0:lzdhzcm.lz1 0:lanzdhz.lz1 "
      "0:lzgbkhz.lz1 1:lzszsj43.lzh 1:lanzdwdw.txt 1:lanzzdym.lzh 1:lzpyzdym.lzh 1:lzwbpy.txt "
      "1:lanzynhz.txt 1:lanzzdfh.lzh 2:userck.txt 2:delck.txt 2:ftlzzdym.txt 2:ftpylzym.txt "
      "2:lwb.ov1 2:lanzpymb.ov1 2:lzgbkbh.lzh 2:lzszsj05.lzh 2:lzszsj06.lzh ";
  EXPECT_EQ(wubi, Rows(false));
  std::string pinyin = wubi;  // its own dictionary, and no Wubi overlay
  pinyin.replace(2, 8, "lanzpyck").erase(pinyin.find("2:lwb.ov1 "), 10);
  EXPECT_EQ(pinyin, Rows(true));
  char source[16];
  EXPECT_TRUE(PairSource("lzdhzcm.lz1", source, 12));
  EXPECT_STREQ("lzdhzcm.lzh", source);
  EXPECT_FALSE(PairSource("lzdhzcm.lz1", source, 11));
  EXPECT_TRUE(BackupCountAcceptable(23));
  EXPECT_FALSE(BackupCountAcceptable(24));
}

TEST(ReportCounting, SortsNamesByExtensionAnywhereAndCountsPast255) {
  FileCounters counters{};
  for (const char* name : {"a.txt", "b.lzh", "lanzhu4.ime", "x.txt.lzh", "CAPS.LZH", "README.TXT",
                           "lzh", "txt.lzhx"}) {
    CountSurveyedFile(counters, name);
  }
  EXPECT_EQ(3u, counters.txt);    // a.txt, x.txt.lzh, README.TXT
  EXPECT_EQ(3u, counters.lzh);    // b.lzh, CAPS.LZH, txt.lzhx
  EXPECT_EQ(2u, counters.other);  // lanzhu4.ime, lzh
  for (int i = 0; i < 300; ++i) CountSurveyedFile(counters, "userck.txt");
  EXPECT_EQ(303u, counters.txt);
  EXPECT_EQ(308u, FileCount(counters));
}

// Head probe results by file name; a name not listed is missing (error 2).
int Probe(const char* name, void* context) {
  const auto& results = *static_cast<const std::map<std::string, int>*>(context);
  const auto found = results.find(name);
  return found != results.end() ? found->second : 2;
}

TEST(ReportChecks, TheFirstFailingCheckEndsTheCheckingAndItsCodeLine) {
  const int whole = 5120;  // 20 bytes read
  const struct {
    int score;
    std::uint32_t files;
    std::map<std::string, int> probes;
    ReportCheck failing;
    const char* codes;
  } cases[] = {
      // Score 11: the directory carries an attribute besides the directory bit.
      {11, 79, {}, ReportCheck::Directory, "path--c:\\lanzhu2\\--11;"},
      {14, 73, {}, ReportCheck::FileCount, "path--c:\\lanzhu2\\--14;F--73;"},
      {14, 74, {{"lanzcyzk.lzu", whole}, {"lanzpyck.lz1", whole}, {"lanzhu4.ime", whole}},
       ReportCheck::None, "path--c:\\lanzhu2\\--14;F--74;FR1--1400;FR2--1400;FR3--1400;"},
      {14, 79, {{"lanzpyck.lzh", whole}, {"lanzhu4.ime", whole}}, ReportCheck::WubiDictionary,
       "path--c:\\lanzhu2\\--14;F--79;FR1--2;"},
      {14, 79, {{"lanzcyzk.lzh", whole}, {"lanzpyck.lzu", 12 * 256 + 38}},
       ReportCheck::PinyinDictionary, "path--c:\\lanzhu2\\--14;F--79;FR1--1400;FR2--c26;"},
      {14, 79, {{"lanzcyzk.lzh", whole}, {"lanzpyck.lzh", whole}}, ReportCheck::ImeModule,
       "path--c:\\lanzhu2\\--14;F--79;FR1--1400;FR2--1400;FR3--2;"},
  };
  for (const auto& c : cases) {
    std::map<std::string, int> probes = c.probes;
    char codes[400];
    EXPECT_EQ(c.failing, FirstFailingCheck("c:\\lanzhu2\\", c.score, c.files, Probe, &probes,
                                           codes, sizeof codes)) << c.codes;
    EXPECT_STREQ(c.codes, codes);
  }
}

TEST(NextLayoutId, CountsUpToAFreeIdInItsLanguageAndNeverWraps) {
  const struct {
    std::uint32_t largest;
    bool traditional;
    std::vector<std::string> present;
    const char* id;  // "": no free id
  } cases[] = {
      {0, false, {}, "E0010804"}, {0, true, {}, "E0010404"},
      // Another language's highest id keeps its number but takes ours.
      {0xE0220404, false, {}, "E0230804"},
      // A key without a layout text still holds its name, in either case.
      {0xE0200804, false, {"e0210804", "E0220804"}, "E0230804"},
      {0xFFFE0804, false, {}, "FFFF0804"}, {0xFFFF0404, true, {}, ""},
  };
  for (const auto& c : cases) {
    char id[kLayoutIdSize] = "x";
    EXPECT_EQ(c.id[0] != '\0', NextLayoutId(c.largest, c.traditional, c.present, id)) << c.id;
    EXPECT_STREQ(c.id, id);
  }
}

TEST(PromoteToSecondPlace, MovesTheImeUpAndTheOthersDownOnePlace) {
  const auto promoted = [](std::vector<std::string> list, int position) {
    char ids[49][kLayoutIdSize] = {};
    for (std::size_t i = 0; i < list.size(); ++i) std::strcpy(ids[i], list[i].c_str());
    PromoteToSecondPlace(ids, static_cast<int>(list.size()), position);
    return std::vector<std::string>(ids, ids + list.size());
  };
  using List = std::vector<std::string>;
  EXPECT_EQ((List{"p", "s", "q", "r", "t"}), promoted({"p", "q", "r", "s", "t"}, 4));
  EXPECT_EQ((List{"p", "q", "r"}), promoted({"p", "q", "r"}, 2));
  EXPECT_EQ((List{"p", "q", "r"}), promoted({"p", "q", "r"}, 7));
}

}  // namespace
