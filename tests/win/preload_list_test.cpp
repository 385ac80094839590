#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ime_registry.h"
#include "system/platform.h"
#include "system/preload_list.h"
#include "system/seams.h"
#include "test_support.h"

namespace {

using PreloadAppend = ImeRegistry;

std::vector<std::string> Others(int count) {
  std::vector<std::string> ids;
  for (int i = 1; i <= count; ++i) ids.push_back("0000" + std::to_string(1000 + i));
  return ids;
}

TEST_F(PreloadAppend, FollowsTheListRulesInBothFamilies) {
  const Places full = Listed(Others(49));
  Places fullAfter = full;
  fullAfter[49] = "E";
  Places beyondFull = full;
  beyondFull[50] = "00000409";
  Places beyondFullAfter = beyondFull;
  beyondFullAfter[49] = "E";
  const struct {
    Places before;
    Places after;  // with "E" standing for this IME's id in the family's case
  } cases[] = {
      {Listed({"00000409", "E0050804"}), {}},  // listed already: nothing written
      {Listed({"00000409", "e0050804", "00000804"}), {}},
      {Listed({"00000409", "e0050404", "00000804"}), Listed({"00000409", "E", "00000804"})},
      {{{1, "00000409"}, {2, "00000804"}, {4, "00000411"}},
       {{1, "00000409"}, {2, "00000804"}, {3, "E"}, {4, "00000411"}}},
      {full, fullAfter},
      {beyondFull, beyondFullAfter},
      {{}, Listed({"E"})},
  };
  for (const bool as9x : {false, true}) {
    Platform.GetVersion = as9x ? Windows98Version : ::GetVersion;
    const std::string id = as9x ? "E0050804" : "e0050804";
    for (const auto& c : cases) {
      SetPreload(HKEY_CURRENT_USER, kUserLayout, c.before, as9x);
      AppendImeToPreload("E0050804");
      Places after = c.after.empty() ? c.before : c.after;
      for (auto& place : after) {
        if (place.second == "E") place.second = id;
      }
      EXPECT_EQ(after, Preload(HKEY_CURRENT_USER, kUserLayout, as9x))
          << (as9x ? "9x " : "NT ") << &c - cases;
    }
  }
  EXPECT_TRUE(Messages.empty());
}

TEST_F(PreloadAppend, A9xPlaceWithoutAnIdIsPassedOver) {
  Platform.GetVersion = Windows98Version;
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed({"00000409"}), true);
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "keyboard layout\\preload\\2", 0,
                                           nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  RegCloseKey(key);
  AppendImeToPreload("e0050804");
  EXPECT_EQ((Places{{1, "00000409"}, {3, "E0050804"}}), Preload(HKEY_CURRENT_USER, kUserLayout, true));
}

TEST_F(PreloadAppend, AnNtListThatCannotBeOpenedStaysUnwrittenAndUnreported) {
  DeleteKeyTree(HKEY_CURRENT_USER, "keyboard layout\\preload");
  AppendImeToPreload("E0050804");
  EXPECT_TRUE(Preload(HKEY_CURRENT_USER, kUserLayout).empty());
  EXPECT_TRUE(Messages.empty());
}

using ImePreloadOrder = ImeRegistry;

// The list p, q, r, s, t with this IME as s, in both users' lists.
const std::vector<std::string> kFive = {"00000409", "00000804", "00000404", "E0050804", "00000411"};

void ListTheIme(const std::wstring& productName, const std::vector<std::string>& ids, bool as9x) {
  AddLayout("E0050804", (productName + L"  6.3").c_str());
  AddLayout("00000409", L"US");
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed(ids), as9x);
  SetPreload(HKEY_USERS, kDefaultUserLayout, Listed(ids));
}

TEST_F(ImePreloadOrder, FindsTheImeByTheGbkFormOfItsName) {
  ListTheIme(productName_, kFive, false);
  std::strcpy(PreloadTable.ids[0], "sentinel");
  const int found = FindImeInPreload();
  if (CurrentConfig().windows64) {
    // Nothing is read on 64-bit Windows.
    EXPECT_EQ(0, found);
    EXPECT_EQ(0, PreloadTable.count);
    EXPECT_STREQ("sentinel", PreloadTable.ids[0]);
    return;
  }
  EXPECT_EQ(5, PreloadTable.count);
  EXPECT_STREQ("E0050804", PreloadTable.ids[3]);
  EXPECT_EQ(Narrow(L"US", 936), PreloadTable.texts[0]);
  EXPECT_STREQ("", PreloadTable.texts[1]);  // no entry for that id
  // Under code page 950 the entry's Big5 text is not what is looked for.
  EXPECT_EQ(traditional_ ? 0 : 1, found);
  EXPECT_EQ(traditional_ ? 0 : 1, PreloadTable.found);
  EXPECT_EQ(traditional_ ? 0 : 4, PreloadTable.position);
}

TEST_F(ImePreloadOrder, ReadsAtMost49PlacesAndStopsAtTheFirstUnreadableOne) {
  for (const bool as9x : {false, true}) {
    Platform.GetVersion = as9x ? Windows98Version : ::GetVersion;
    SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed(Others(52)), as9x);
    EXPECT_EQ(49, ReadPreloadList());
    EXPECT_STREQ("00001049", PreloadTable.ids[48]);
    SetPreload(HKEY_CURRENT_USER, kUserLayout, {{1, "00000409"}, {2, "00000804"}, {4, "00000411"}}, as9x);
    EXPECT_EQ(2, ReadPreloadList());
  }
  // An NT place longer than its slot ends the list there.
  Platform.GetVersion = ::GetVersion;
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed({"00000409", "00000409-too-long", "00000411"}));
  EXPECT_EQ(1, ReadPreloadList());
  DeleteKeyTree(HKEY_CURRENT_USER, kUserLayout);
  EXPECT_EQ(0, ReadPreloadList());
}

TEST_F(ImePreloadOrder, PromotionMovesTheImeToSecondPlaceOnXpOnly) {
  const std::vector<std::string> promoted = {"00000409", "E0050804", "00000804", "00000404", "00000411"};
  for (const bool as9x : {false, true}) {
    Platform.GetVersion = as9x ? Windows98Version : ::GetVersion;
    ListTheIme(productName_, kFive, as9x);
    if (CurrentConfig().majorVersion <= 5) {
      ASSERT_EQ(1, FindImeInPreload());
    } else {
      // As if it had been found: Vista and later keep their order anyway.
      ASSERT_EQ(5, ReadPreloadList());
      PreloadTable.found = 1;
      PreloadTable.position = 4;
    }
    PromoteImeInPreload();
    const bool moves = CurrentConfig().majorVersion <= 5;
    EXPECT_EQ(Listed(moves ? promoted : kFive), Preload(HKEY_CURRENT_USER, kUserLayout, as9x));
    // The 9x family has no default user's list.
    EXPECT_EQ(Listed(moves && !as9x ? promoted : kFive), Preload(HKEY_USERS, kDefaultUserLayout));
  }
}

TEST_F(ImePreloadOrder, PromotionLeavesAnImeAtPlace1Or2OrAShortListAlone) {
  if (CurrentConfig().majorVersion > 5) GTEST_SKIP() << "promotion happens on XP only";
  for (const auto& ids : std::vector<std::vector<std::string>>{
           {"E0050804", "00000409", "00000804"}, {"00000409", "E0050804", "00000804"},
           {"00000409", "E0050804"}}) {
    ListTheIme(productName_, ids, false);
    ASSERT_EQ(1, FindImeInPreload());
    PromoteImeInPreload();
    EXPECT_EQ(Listed(ids), Preload(HKEY_CURRENT_USER, kUserLayout));
  }
}

TEST_F(ImePreloadOrder, MakingTheImeNonDefaultSwapsTheFirstTwoPlaces) {
  const std::vector<std::string> ids = {"E0050804", "00000409", "00000804"};
  const std::vector<std::string> swapped = {"00000409", "E0050804", "00000804"};
  for (const bool as9x : {false, true}) {
    Platform.GetVersion = as9x ? Windows98Version : ::GetVersion;
    ListTheIme(productName_, ids, as9x);
    if (CurrentConfig().oemCodePage == 936 && !CurrentConfig().windows64) {
      ASSERT_EQ(1, FindImeInPreload());
      ASSERT_EQ(1, PreloadTable.position);
    } else {
      ASSERT_EQ(3, ReadPreloadList());
    }
    MakeImeNonDefault();
    EXPECT_EQ(Listed(swapped), Preload(HKEY_CURRENT_USER, kUserLayout, as9x));
    EXPECT_EQ(Listed(as9x ? ids : swapped), Preload(HKEY_USERS, kDefaultUserLayout));
  }
  // Without the default user's keyboard-layout key only the user's list changes.
  Platform.GetVersion = ::GetVersion;
  ListTheIme(productName_, ids, false);
  DeleteKeyTree(HKEY_USERS, kDefaultUserLayout);
  ASSERT_EQ(3, ReadPreloadList());
  MakeImeNonDefault();
  EXPECT_EQ(Listed(swapped), Preload(HKEY_CURRENT_USER, kUserLayout));
  EXPECT_FALSE(SaveKey(HKEY_USERS, kDefaultUserLayout).exists);
}

}  // namespace
