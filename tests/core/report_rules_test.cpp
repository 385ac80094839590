#include "core/report_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

TEST(ReportCounting, SortsNamesByExtensionAnywhereWhateverTheirCase) {
  FileCounters counters{};
  for (const char* name : {"a.txt", "b.lzh", "lanzhu4.ime", "x.txt.lzh", "CAPS.LZH", "README.TXT",
                           "lzh", "txt.lzhx"}) {
    CountSurveyedFile(counters, name);
  }
  EXPECT_EQ(3u, counters.txt);    // a.txt, x.txt.lzh, README.TXT
  EXPECT_EQ(3u, counters.lzh);    // b.lzh, CAPS.LZH, txt.lzhx
  EXPECT_EQ(2u, counters.other);  // lanzhu4.ime, lzh
  EXPECT_EQ(8u, FileCount(counters));
}

TEST(ReportCounting, CountsPast255WithoutWrapping) {
  FileCounters counters{};
  for (int i = 0; i < 256; ++i) CountSurveyedFile(counters, "userck.txt");
  for (int i = 0; i < 300; ++i) CountSurveyedFile(counters, "a.lzh");
  for (int i = 0; i < 512; ++i) CountSurveyedFile(counters, "a.ime");
  EXPECT_EQ(256u, counters.txt);
  EXPECT_EQ(300u, counters.lzh);
  EXPECT_EQ(512u, counters.other);
  EXPECT_EQ(1068u, FileCount(counters));
}

// Head probe results by file name; a name not listed is missing (error 2).
struct Probes {
  std::map<std::string, int> results;
  std::vector<std::string> made;
};

int Probe(const char* name, void* context) {
  auto* probes = static_cast<Probes*>(context);
  probes->made.push_back(name);
  const auto found = probes->results.find(name);
  return found != probes->results.end() ? found->second : 2;
}

struct Outcome {
  ReportCheck failing;
  std::string codes;
  std::vector<std::string> made;
};

Outcome Check(int score, std::uint32_t files, const std::map<std::string, int>& results) {
  Probes probes{results, {}};
  char codes[400];
  const ReportCheck failing =
      FirstFailingCheck("c:\\lanzhu2\\", score, files, Probe, &probes, codes, sizeof codes);
  return {failing, codes, probes.made};
}

const std::map<std::string, int> kWhole = {
    {"lanzcyzk.lzh", 5120}, {"lanzpyck.lzh", 5120}, {"lanzhu4.ime", 5120}};

TEST(ReportChecks, AWholeInstallationPassesEveryCheckAndCodesEachOne) {
  const Outcome outcome = Check(14, 79, kWhole);
  EXPECT_EQ(ReportCheck::None, outcome.failing);
  EXPECT_EQ("path--c:\\lanzhu2\\--14;F--79;FR1--1400;FR2--1400;FR3--1400;", outcome.codes);
  EXPECT_EQ((std::vector<std::string>{"lanzcyzk.lzh", "lanzpyck.lzh", "lanzhu4.ime"}),
            outcome.made);
}

TEST(ReportChecks, TheFirstFailingCheckEndsTheChecking) {
  // Score 11: the directory carries an attribute besides the directory bit.
  Outcome outcome = Check(11, 79, kWhole);
  EXPECT_EQ(ReportCheck::Directory, outcome.failing);
  EXPECT_EQ("path--c:\\lanzhu2\\--11;", outcome.codes);
  EXPECT_TRUE(outcome.made.empty());

  EXPECT_EQ(ReportCheck::FileCount, Check(14, 73, kWhole).failing);
  EXPECT_EQ(ReportCheck::None, Check(14, 74, kWhole).failing);
  EXPECT_EQ("path--c:\\lanzhu2\\--14;F--73;", Check(14, 73, kWhole).codes);

  outcome = Check(14, 79, {{"lanzpyck.lzh", 5120}, {"lanzhu4.ime", 5120}});
  EXPECT_EQ(ReportCheck::WubiDictionary, outcome.failing);
  EXPECT_EQ((std::vector<std::string>{"lanzcyzk.lzh", "lanzcyzk.lz1", "lanzcyzk.lzu"}),
            outcome.made);
  EXPECT_EQ("path--c:\\lanzhu2\\--14;F--79;FR1--2;", outcome.codes);

  outcome = Check(14, 79, {{"lanzcyzk.lzh", 5120}, {"lanzpyck.lzu", 12 * 256 + 38}});
  EXPECT_EQ(ReportCheck::PinyinDictionary, outcome.failing);
  EXPECT_EQ("path--c:\\lanzhu2\\--14;F--79;FR1--1400;FR2--c26;", outcome.codes);

  outcome = Check(14, 79, {{"lanzcyzk.lzh", 5120}, {"lanzpyck.lzh", 5120}});
  EXPECT_EQ(ReportCheck::ImeModule, outcome.failing);
  EXPECT_EQ("path--c:\\lanzhu2\\--14;F--79;FR1--1400;FR2--1400;FR3--2;", outcome.codes);
}

TEST(ReportChecks, ADictionaryPassesByItsFirstReadableFallback) {
  const Outcome outcome =
      Check(14, 79, {{"lanzcyzk.lzu", 5120}, {"lanzpyck.lz1", 5120}, {"lanzhu4.ime", 5120}});
  EXPECT_EQ(ReportCheck::None, outcome.failing);
  EXPECT_EQ((std::vector<std::string>{"lanzcyzk.lzh", "lanzcyzk.lz1", "lanzcyzk.lzu",
                                      "lanzpyck.lzh", "lanzpyck.lz1", "lanzhu4.ime"}),
            outcome.made);
}

TEST(ReportChecks, TheCodeLineStaysInItsBuffer) {
  Probes probes{kWhole, {}};
  const std::string longDir = "c:\\" + std::string(195, 'd') + "\\";
  char codes[64];
  std::memset(codes, '#', sizeof codes);
  EXPECT_EQ(ReportCheck::None,
            FirstFailingCheck(longDir.c_str(), 14, 79, Probe, &probes, codes, sizeof codes));
  // The directory's code does not fit and is left out whole; the others follow.
  EXPECT_STREQ("F--79;FR1--1400;FR2--1400;FR3--1400;", codes);
  EXPECT_EQ(ReportCheck::None, FirstFailingCheck("c:\\lanzhu2\\", 14, 79, Probe, &probes, codes, 0));
}

}  // namespace
