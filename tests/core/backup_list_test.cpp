#include "core/backup_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(bool pinyin, BackupKind kind) {
  BackupRow rows[kMaxBackupRows];
  const std::size_t count = BackupRows(pinyin, rows);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) {
    if (rows[i].kind == kind) names.push_back(rows[i].name);
  }
  return names;
}

TEST(BackupList, PairsComeFirstThenRequiredThenOptionalFilesInListOrder) {
  const std::vector<std::string> pairTail = {"lfontset.lz1", "lwbzlcz1.lz1", "lzwbcmxz.lz1",
                                             "lzdhzcm.lz1",  "lanzdhz.lz1",  "lzgbkhz.lz1"};
  std::vector<std::string> wubiPairs = {"lanzcyzk.lz1"};
  wubiPairs.insert(wubiPairs.end(), pairTail.begin(), pairTail.end());
  std::vector<std::string> pinyinPairs = {"lanzpyck.lz1"};
  pinyinPairs.insert(pinyinPairs.end(), pairTail.begin(), pairTail.end());
  const std::vector<std::string> required = {"lzszsj43.lzh", "lanzdwdw.txt", "lanzzdym.lzh",
                                             "lzpyzdym.lzh", "lzwbpy.txt",   "lanzynhz.txt",
                                             "lanzzdfh.lzh"};
  const std::vector<std::string> optionalPinyin = {"userck.txt",   "delck.txt",    "ftlzzdym.txt",
                                                   "ftpylzym.txt", "lanzpymb.ov1", "lzgbkbh.lzh",
                                                   "lzszsj05.lzh", "lzszsj06.lzh"};
  std::vector<std::string> optionalWubi = optionalPinyin;
  optionalWubi.insert(optionalWubi.begin() + 4, "lwb.ov1");

  EXPECT_EQ(wubiPairs, Names(false, BackupKind::Pair));
  EXPECT_EQ(pinyinPairs, Names(true, BackupKind::Pair));
  EXPECT_EQ(required, Names(false, BackupKind::Required));
  EXPECT_EQ(required, Names(true, BackupKind::Required));
  EXPECT_EQ(optionalWubi, Names(false, BackupKind::Optional));
  EXPECT_EQ(optionalPinyin, Names(true, BackupKind::Optional));

  BackupRow rows[kMaxBackupRows];
  EXPECT_EQ(23u, BackupRows(false, rows));
  EXPECT_EQ(22u, BackupRows(true, rows));
  // Kinds never interleave: every pair before every required file, every
  // required file before every optional one.
  for (std::size_t i = 1; i < BackupRows(true, rows); ++i) {
    EXPECT_LE(static_cast<int>(rows[i - 1].kind), static_cast<int>(rows[i].kind)) << i;
  }
}

TEST(BackupList, APairIsCopiedFromItsWorkingFile) {
  char source[16];
  ASSERT_TRUE(PairSource("lanzpyck.lz1", source, sizeof source));
  EXPECT_STREQ("lanzpyck.lzh", source);
  ASSERT_TRUE(PairSource("lzdhzcm.lz1", source, sizeof source));
  EXPECT_STREQ("lzdhzcm.lzh", source);
  EXPECT_TRUE(PairSource("lzdhzcm.lz1", source, 12));
  EXPECT_FALSE(PairSource("lzdhzcm.lz1", source, 11));
}

TEST(BackupList, AContainerCountingMoreEntriesThanTheListHasRowsIsNoBackup) {
  EXPECT_TRUE(BackupCountAcceptable(0));
  EXPECT_TRUE(BackupCountAcceptable(23));
  EXPECT_FALSE(BackupCountAcceptable(24));
  EXPECT_FALSE(BackupCountAcceptable(0xFFFFFFFFu));
}

}  // namespace
