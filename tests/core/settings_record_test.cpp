#include "core/settings_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SettingsRecord, DefaultHasItsElevenOnesAnd54) {
  std::uint8_t record[kSettingsRecordSize];
  std::memset(record, 0xAA, sizeof record);
  DefaultSettingsRecord(record);
  int ones = 0;
  for (std::uint8_t byte : record) ones += byte == 1;
  EXPECT_EQ(11, ones);
  EXPECT_EQ(54, record[8]);
  EXPECT_EQ(1, record[58]);
  EXPECT_EQ(0, record[199]);
}

TEST(SettingsRecord, WindowModesCrossDualAndWindowsLike) {
  const int byte0[] = {0, 0, 1, 4, 3, 0};
  const int byte21[] = {0, 0, 0, 1, 1, 0};
  for (int mode = 0; mode <= 5; ++mode) {
    std::uint8_t record[kSettingsRecordSize] = {};
    record[0] = 9;
    record[21] = 9;
    AdjustSettingsRecord(record, false, false, mode);
    EXPECT_EQ(byte0[mode], record[0]) << mode;
    EXPECT_EQ(byte21[mode], record[21]) << mode;
  }
}

TEST(SettingsRecord, WubiSimplifiedChangesOnlyItsFewBytes) {
  std::uint8_t record[kSettingsRecordSize];
  for (std::size_t i = 0; i < sizeof record; ++i) record[i] = static_cast<std::uint8_t>(100 + i);
  std::uint8_t before[kSettingsRecordSize];
  std::memcpy(before, record, sizeof record);
  AdjustSettingsRecord(record, false, false, 1);
  for (std::size_t i = 0; i < sizeof record; ++i) {
    if (i == 0 || i == 1 || i == 21 || i == 62 || i == 63) continue;
    EXPECT_EQ(before[i], record[i]) << i;  // byte 15 keeps its value under 936
  }
  EXPECT_EQ(1, record[1]);
  EXPECT_EQ(0, record[62]);
  EXPECT_EQ(0, record[63]);
}

TEST(SettingsRecord, PinyinEditionAndTraditionalBytes) {
  std::uint8_t record[kSettingsRecordSize];
  std::memset(record, 7, sizeof record);
  AdjustSettingsRecord(record, true, true, 4);
  EXPECT_EQ(1, record[15]);
  EXPECT_EQ(1, record[19]);
  EXPECT_EQ(0, record[22]);
  EXPECT_EQ(1, record[25]);
  for (int i = 27; i <= 35; ++i) EXPECT_EQ(0, record[i]) << i;
  for (int i = 66; i <= 69; ++i) EXPECT_EQ(0, record[i]) << i;
  EXPECT_EQ(0, record[42]);
  EXPECT_EQ(1, record[75]);
  EXPECT_EQ(10, record[80]);
  EXPECT_EQ(7, record[26]);
  EXPECT_EQ(7, record[70]);
  EXPECT_EQ(3, record[0]);
}

}  // namespace
