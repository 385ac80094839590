#include "core/report_rules.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "core/text_append.h"
#include "core/text_match.h"

namespace {

// The dictionary passes when one of its three files passes, tried in order;
// the code names the last probe made.
bool DictionaryPasses(const char* stem, const char* codeName, HeadProbe probe, void* context,
                      char* codes, std::size_t codesSize) {
  int result = 0;
  for (const char* extension : {".lzh", ".lz1", ".lzu"}) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%s", stem, extension);
    result = probe(name, context);
    if (result == kWholeHeadProbe) break;
  }
  char code[32];
  std::snprintf(code, sizeof code, "%s--%x;", codeName, static_cast<unsigned>(result));
  AppendWhole(codes, codesSize, code);
  return result == kWholeHeadProbe;
}

}  // namespace

void CountSurveyedFile(FileCounters& counters, const char* name) {
  if (ContainsNoCase(name, ".txt") == 1) {
    ++counters.txt;
  } else if (ContainsNoCase(name, ".lzh") == 1) {
    ++counters.lzh;
  } else {
    ++counters.other;
  }
}

std::uint32_t FileCount(const FileCounters& counters) {
  return counters.txt + counters.lzh + counters.other;
}

ReportCheck FirstFailingCheck(const char* dir, int dirScore, std::uint32_t fileCount,
                              HeadProbe probe, void* context, char* codes, std::size_t codesSize) {
  if (codesSize > 0) codes[0] = '\0';
  char code[300];
  std::snprintf(code, sizeof code, "path--%s--%d;", dir, dirScore);
  AppendWhole(codes, codesSize, code);
  if (dirScore < kWholeDirScore) return ReportCheck::Directory;
  std::snprintf(code, sizeof code, "F--%u;", static_cast<unsigned>(fileCount));
  AppendWhole(codes, codesSize, code);
  if (fileCount < kCompleteFileCount) return ReportCheck::FileCount;
  if (!DictionaryPasses("lanzcyzk", "FR1", probe, context, codes, codesSize)) {
    return ReportCheck::WubiDictionary;
  }
  if (!DictionaryPasses("lanzpyck", "FR2", probe, context, codes, codesSize)) {
    return ReportCheck::PinyinDictionary;
  }
  const int module = probe("lanzhu4.ime", context);
  std::snprintf(code, sizeof code, "FR3--%x;", static_cast<unsigned>(module));
  AppendWhole(codes, codesSize, code);
  return module == kWholeHeadProbe ? ReportCheck::None : ReportCheck::ImeModule;
}
