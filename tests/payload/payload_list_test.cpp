// The payload list against what the installer needs of it: the entries it
// treats by name, names that fit the container, and nothing the installer
// writes itself (the payload would overwrite or fail to verify those).
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "entry_list.h"
#include "makers.h"

namespace {

std::vector<ListedEntry> ReadList(const char* path) {
  std::vector<ListedEntry> entries;
  std::string error;
  EXPECT_TRUE(ReadEntryList(path, entries, error)) << error;
  return entries;
}

std::set<std::string> NamesOf(const std::vector<ListedEntry>& entries) {
  std::set<std::string> names;
  for (const ListedEntry& entry : entries) names.insert(entry.name);
  return names;
}

// Length of a UTF-8 name in GBK bytes, or -1 when it has no GBK form.
int GbkLength(const std::string& name) {
  iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return -1;
  std::string in = name;
  char out[64];
  char* inPtr = in.data();
  char* outPtr = out;
  std::size_t inLeft = in.size();
  std::size_t outLeft = sizeof out;
  const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(converter);
  return result == static_cast<std::size_t>(-1) ? -1 : static_cast<int>(sizeof out - outLeft);
}

TEST(PayloadList, HoldsSeventyNineUniqueNamesThatFitTheContainer) {
  const std::vector<ListedEntry> entries = ReadList(LANZ_ENTRIES_TXT);
  EXPECT_EQ(entries.size(), 79u);
  EXPECT_EQ(NamesOf(entries).size(), entries.size()) << "duplicate names";
  for (const ListedEntry& entry : entries) {
    const int length = GbkLength(entry.name);
    EXPECT_GE(length, 1) << entry.name;
    EXPECT_LE(length, 12) << entry.name;
  }
}

TEST(PayloadList, HoldsEveryEntryTheInstallerTreatsByName) {
  const std::set<std::string> names = NamesOf(ReadList(LANZ_ENTRIES_TXT));
  const char* const required[] = {
      // splash, skins, modules, programs
      "lzsr1.bmp", "冰川蓝调.lzz", "暖橙釉面.lzz", "小星辰.lzz", "lanz320.ime", "lanz321.ime",
      "lanzhu4.ime", "lanzhu32.ime", "lanz640.ime", "lanz641.ime", "lanzhu64.ime", "lanzdel.exe", "lzqdel64.exe",
      "lanzlzsr.exe", "lanzznw6.exe", "setupw64.exe",
      // dictionaries the report probes and the settings record
      "lanzcyzk.lz1", "lanzcyzk.lzh", "lanzpyck.lz1", "lanzpyck.lzh", "lzszsj43.lzh",
      // the user-data backup list, both halves of every pair
      "lfontset.lz1", "lfontset.lzh", "lwbzlcz1.lz1", "lwbzlcz1.lzh", "lzwbcmxz.lz1", "lzwbcmxz.lzh",
      "lzdhzcm.lz1", "lzdhzcm.lzh", "lanzdhz.lz1", "lanzdhz.lzh", "lzgbkhz.lz1", "lzgbkhz.lzh",
      "lanzdwdw.txt", "lanzzdym.lzh", "lzpyzdym.lzh", "lzwbpy.txt", "lanzynhz.txt", "lanzzdfh.lzh",
      "userck.txt", "delck.txt", "ftlzzdym.txt", "ftpylzym.txt", "lwb.ov1", "lanzpymb.ov1",
      "lzgbkbh.lzh", "lzszsj05.lzh", "lzszsj06.lzh"};
  for (const char* name : required) EXPECT_EQ(names.count(name), 1u) << name;

  // Made by the installer from other entries or from the user's answers:
  // a payload copy would overwrite the user's addresses or fail the check
  // of installed files once the installer has replaced it.
  const char* const installerMade[] = {"lanzcyzk.lzu", "lanzpyck.lzu", "wbpybz.lzh",
                                        "lznetsj.dat",  "lanzback.lzz", "lanzpath.lzh"};
  for (const char* name : installerMade) EXPECT_EQ(names.count(name), 0u) << name;
}

TEST(PayloadList, LeavesAtLeastSeventyFourFilesAfterInstalling) {
  // The second pass deletes the four first-pass modules; the installer adds
  // the two .lzu copies and its two configuration files.
  const std::set<std::string> names = NamesOf(ReadList(LANZ_ENTRIES_TXT));
  const int firstPass = static_cast<int>(names.count("lanz320.ime") + names.count("lanz321.ime") +
                                         names.count("lanz640.ime") + names.count("lanz641.ime"));
  EXPECT_GE(static_cast<int>(names.size()) - firstPass + 4, 74);
}

TEST(PayloadList, SkinContainersHoldARecordAndSevenPictures) {
  const std::vector<ListedEntry> parts = ReadList(LANZ_SKIN_PARTS_TXT);
  ASSERT_EQ(parts.size(), 8u);
  EXPECT_EQ(parts[0].maker, "skinrecord");
  for (std::size_t i = 1; i < parts.size(); ++i) {
    EXPECT_EQ(parts[i].maker, "picture") << parts[i].name;
    EXPECT_EQ(parts[i].name.substr(parts[i].name.size() - 4), ".bmp");
  }
  EXPECT_EQ(NamesOf(parts).size(), parts.size());
  // Unpacking the chosen skin must not overwrite a payload entry.
  const std::set<std::string> payload = NamesOf(ReadList(LANZ_ENTRIES_TXT));
  for (const ListedEntry& part : parts) EXPECT_EQ(payload.count(part.name), 0u) << part.name;
}

TEST(PayloadList, EveryMakerIsKnown) {
  for (const ListedEntry& entry : ReadList(LANZ_ENTRIES_TXT)) {
    if (IsBuiltElsewhere(entry)) {
      EXPECT_EQ(entry.args.size(), 1u) << entry.name;
      continue;
    }
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(MakeEntry(entry, 0, bytes, error)) << error;
  }
  ListedEntry unknown{"x.lzh", "nonsense", {}};
  Bytes bytes;
  std::string error;
  EXPECT_FALSE(MakeEntry(unknown, 0, bytes, error));
  EXPECT_NE(error.find("nonsense"), std::string::npos);
}

}  // namespace
