#include "core/layout_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(NextLayoutId, CountsUpToAFreeIdAndNeverWraps) {
  struct Case {
    std::uint32_t largest;
    bool traditional;
    std::vector<std::string> present;
    const char* id;  // "": no free id
  } const cases[] = {
      {0, false, {}, "E0010804"},
      {0, true, {}, "E0010404"},
      {0x00000409, false, {}, "E0010804"},  // ordinary layouts stay below the floor
      {0xE0200804, false, {}, "E0210804"},
      // Another language's highest id keeps its number but takes ours.
      {0xE0220404, false, {}, "E0230804"},
      {0xE0220804, true, {}, "E0230404"},
      // A key without a layout text still holds its name, in either case.
      {0xE0200804, false, {"e0210804", "E0220804"}, "E0230804"},
      {0xFFFE0804, false, {}, "FFFF0804"},
      {0xFFFF0804, false, {}, ""},
      {0xFFFF0404, true, {}, ""},
      {0xFFFE0404, true, {"FFFF0404"}, ""},
  };
  for (const Case& c : cases) {
    char id[kLayoutIdSize] = "x";
    EXPECT_EQ(c.id[0] != '\0', NextLayoutId(c.largest, c.traditional, c.present, id)) << c.id;
    EXPECT_STREQ(c.id, id);
  }
}

TEST(LayoutLanguage, TestsAndSetsTheLastThreeDigits) {
  EXPECT_TRUE(HasLayoutLanguage("E0050804", false));
  EXPECT_FALSE(HasLayoutLanguage("E0050804", true));
  char id[kLayoutIdSize] = "E0050804";
  SetLayoutLanguage(id, true);
  EXPECT_STREQ("E0050404", id);
  char shortId[kLayoutIdSize] = "04";
  SetLayoutLanguage(shortId, true);
  EXPECT_STREQ("04", shortId);
}

TEST(ComparePreloadId, FoldsTheStoredCaseAndTellsTheLanguageApart) {
  EXPECT_EQ(PreloadMatch::kSame, ComparePreloadId("E0010804", "e0010804", false));
  EXPECT_EQ(PreloadMatch::kSame, ComparePreloadId("e0010804", "E0010804", true));
  EXPECT_EQ(PreloadMatch::kSame, ComparePreloadId("e0010804xyz", "e0010804", false));
  EXPECT_EQ(PreloadMatch::kSameNumberOtherLanguage,
            ComparePreloadId("e0050404", "e0050804", false));
  // The first five characters must agree; a shorter text mismatches at its end.
  EXPECT_EQ(PreloadMatch::kSameNumberOtherLanguage, ComparePreloadId("e0050", "e0050804", false));
  EXPECT_EQ(PreloadMatch::kOther, ComparePreloadId("e005", "e0050804", false));
  EXPECT_EQ(PreloadMatch::kOther, ComparePreloadId("e0060804", "e0050804", false));
  EXPECT_EQ(PreloadMatch::kOther, ComparePreloadId("00000804", "e0050804", false));
  EXPECT_EQ(PreloadMatch::kOther, ComparePreloadId("", "e0050804", false));
}

std::vector<std::string> Promoted(std::vector<std::string> list, int position) {
  char ids[49][kLayoutIdSize] = {};
  for (std::size_t i = 0; i < list.size(); ++i) std::strcpy(ids[i], list[i].c_str());
  PromoteToSecondPlace(ids, static_cast<int>(list.size()), position);
  return std::vector<std::string>(ids, ids + list.size());
}

TEST(PromoteToSecondPlace, MovesTheImeUpAndTheOthersDownOnePlace) {
  EXPECT_EQ((std::vector<std::string>{"p", "s", "q", "r", "t"}),
            Promoted({"p", "q", "r", "s", "t"}, 4));
  EXPECT_EQ((std::vector<std::string>{"p", "r", "q"}), Promoted({"p", "q", "r"}, 3));
  EXPECT_EQ((std::vector<std::string>{"p", "q", "r"}), Promoted({"p", "q", "r"}, 2));
  EXPECT_EQ((std::vector<std::string>{"p", "q", "r"}), Promoted({"p", "q", "r"}, 7));
}

}  // namespace
