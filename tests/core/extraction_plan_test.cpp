#include "core/extraction_plan.h"

#include "container_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(IsPlainFileName, RefusesEverythingThatCouldLeaveTheDirectory) {
  EXPECT_TRUE(IsPlainFileName("lanzhu4.ime"));
  EXPECT_TRUE(IsPlainFileName("\xB1\xF9\xB4\xA8\xC0\xB6\xB5\xF7.lzz"));  // GBK "冰川蓝调.lzz"
  EXPECT_TRUE(IsPlainFileName("..."));
  EXPECT_TRUE(IsPlainFileName(".lzh"));
  EXPECT_FALSE(IsPlainFileName(""));
  EXPECT_FALSE(IsPlainFileName("."));
  EXPECT_FALSE(IsPlainFileName(".."));
  EXPECT_FALSE(IsPlainFileName("..\\boot.ini"));
  EXPECT_FALSE(IsPlainFileName("a/b"));
  EXPECT_FALSE(IsPlainFileName("c:x.dll"));
  EXPECT_FALSE(IsPlainFileName("a.txt:ads"));
  EXPECT_FALSE(IsPlainFileName("\\"));
  EXPECT_FALSE(IsPlainFileName("\x81\\"));  // a trail byte 0x5C is a backslash too
}

TEST(IsPlainFileName, RefusesDeviceNamesWhateverTheirCaseOrExtension) {
  for (const char* device : {"con", "CON", "nul.txt", "Aux.lzh", "prn", "com1", "LPT9.ime",
                             "con .txt", "conin$", "CONOUT$"}) {
    EXPECT_FALSE(IsPlainFileName(device)) << device;
  }
  for (const char* file : {"com0", "com10", "lpt", "console.txt", "nul_", "lanzcon.lzh",
                           "connect.lzh", "xnul"}) {
    EXPECT_TRUE(IsPlainFileName(file)) << file;
  }
}

TEST(EntryTargetPath, JoinsTheDirectoryAndAPlainName) {
  const Bytes container = ContainerBuilder(ContainerFormat::Checksummed)
                              .Add("lzsr1.bmp", ToBytes("x"))
                              .Add("..", ToBytes("x"))
                              .Add("..\\win.ini", ToBytes("x"))
                              .Add("sys\\a.dll", ToBytes("x"))
                              .Add("", ToBytes("x"))
                              .Build();
  const WalkResult result = WalkAll(container);
  ASSERT_EQ(5u, result.entries.size());
  char target[kTargetPathSize];
  EXPECT_TRUE(EntryTargetPath("c:\\lanzhu2\\", result.entries[0], target));
  EXPECT_STREQ("c:\\lanzhu2\\lzsr1.bmp", target);
  for (std::size_t i = 1; i < result.entries.size(); ++i) {
    std::memset(target, 'x', sizeof target);
    EXPECT_FALSE(EntryTargetPath("c:\\lanzhu2\\", result.entries[i], target)) << i;
    EXPECT_STREQ("", target) << i;
  }
}

TEST(EntryTargetPath, RefusesUnterminatedNamesAndPathsThatDoNotFit) {
  Bytes container = ContainerBuilder(ContainerFormat::Checksummed).Add("a", ToBytes("x")).Build();
  std::memset(container.data() + kContainerHeaderSize + kEntryNameOffset, 'n', kEntryNameField);
  WalkResult result = WalkAll(container);
  char target[kTargetPathSize];
  EXPECT_FALSE(EntryMayBeWritten(result.entries[0]));
  EXPECT_FALSE(EntryTargetPath("c:\\d\\", result.entries[0], target));

  container = ContainerBuilder(ContainerFormat::Checksummed).Add("abcd.txt", ToBytes("x")).Build();
  result = WalkAll(container);
  const std::string fits(kTargetPathSize - 1 - 8, 'd');
  EXPECT_TRUE(EntryTargetPath(fits.c_str(), result.entries[0], target));
  EXPECT_EQ(fits + "abcd.txt", target);
  const std::string tooLong = fits + "d";
  EXPECT_FALSE(EntryTargetPath(tooLong.c_str(), result.entries[0], target));
  const std::string farTooLong(1000, 'd');
  EXPECT_FALSE(EntryTargetPath(farTooLong.c_str(), result.entries[0], target));
  EXPECT_STREQ("", target);
}

}  // namespace
