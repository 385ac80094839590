#include "core/container_walk.h"

#include "container_builder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const Bytes kHello = ToBytes("hello, container");

TEST(ContainerWalk, WalksBothFormatsInStoredOrder) {
  const Bytes checksummed = ContainerBuilder(ContainerFormat::Checksummed)
                                .Add("lanzpyck.lz1", kHello, "D41D8CD98F00B204E9800998ECF8427E")
                                .Add("b", {})
                                .Build();
  WalkResult result = WalkAll(checksummed);
  EXPECT_EQ(ContainerFormat::Checksummed, result.walk.format);
  EXPECT_FALSE(result.walk.endedEarly);
  ASSERT_EQ(2u, result.entries.size());
  EXPECT_STREQ("lanzpyck.lz1", result.entries[0].name);
  EXPECT_STREQ("D41D8CD98F00B204E9800998ECF8427E", result.entries[0].checksum);
  EXPECT_EQ(kContainerHeaderSize, result.entries[0].headerOffset);
  EXPECT_EQ(checksummed.data() + kContainerHeaderSize + kEntryHeaderSize,
            result.entries[0].stream);
  EXPECT_EQ(Compressed(kHello).size(), result.entries[0].streamLength);
  EXPECT_STREQ("b", result.entries[1].name);
  EXPECT_EQ(1u, result.entries[1].index);
  EXPECT_EQ(checksummed.data() + checksummed.size(),
            result.entries[1].stream + result.entries[1].streamLength);

  const Bytes plain = ContainerBuilder(ContainerFormat::Plain).Add("skin.bmp", kHello).Build();
  result = WalkAll(plain);
  EXPECT_EQ(ContainerFormat::Plain, result.walk.format);
  ASSERT_EQ(1u, result.entries.size());
  EXPECT_STREQ("skin.bmp", result.entries[0].name);
  EXPECT_STREQ("", result.entries[0].checksum);
  EXPECT_EQ(plain.data() + kContainerHeaderSize + kPlainEntryHeaderSize, result.entries[0].stream);
}

TEST(ContainerWalk, DecidesTheFormatByMagicByteOneAlone) {
  Bytes container = ContainerBuilder(ContainerFormat::Checksummed).Add("a", kHello).Build();
  container[0] = 'X';  // byte 0 is never tested
  EXPECT_EQ(1u, WalkAll(container).entries.size());
  container[1] = 'Z';  // now it walks as plain: 20-byte headers over 56-byte ones
  const WalkResult plain = WalkAll(container);
  EXPECT_EQ(ContainerFormat::Plain, plain.walk.format);
  container = ContainerBuilder(ContainerFormat::Plain).Add("a", kHello).Build();
  container[1] = '0';
  EXPECT_EQ(ContainerFormat::Checksummed, WalkAll(container).walk.format);
}

TEST(ContainerWalk, CountGovernsTheWalkAndTrailingBytesAreIgnored) {
  Bytes container = ContainerBuilder(ContainerFormat::Checksummed).Add("a", kHello).Build();
  container.insert(container.end(), {0, 0, 0, 0});  // the shipped payload's 4 spare bytes
  WalkResult result = WalkAll(container);
  EXPECT_EQ(1u, result.entries.size());
  EXPECT_FALSE(result.walk.endedEarly);

  WriteU32le(0, container.data() + kEntryCountOffset);
  result = WalkAll(container);
  EXPECT_TRUE(result.entries.empty());
  EXPECT_FALSE(result.walk.endedEarly);

  const Bytes empty = ContainerBuilder(ContainerFormat::Checksummed).Build();
  EXPECT_EQ(kContainerHeaderSize, empty.size());
  EXPECT_TRUE(WalkAll(empty).entries.empty());
  EXPECT_FALSE(WalkAll(empty).walk.endedEarly);
}

TEST(ContainerWalk, StopsAtABadTag) {
  Bytes container =
      ContainerBuilder(ContainerFormat::Checksummed).Add("a", kHello).Add("b", kHello).Build();
  const WalkResult whole = WalkAll(container);
  container[whole.entries[1].headerOffset + 1] = 'G';
  const WalkResult result = WalkAll(container);
  ASSERT_EQ(1u, result.entries.size());
  EXPECT_STREQ("a", result.entries[0].name);
  EXPECT_TRUE(result.walk.endedEarly);
  EXPECT_EQ(2u, result.walk.entryCount);
}

TEST(ContainerWalk, NeverReadsPastTheLength) {
  const Bytes container =
      ContainerBuilder(ContainerFormat::Checksummed).Add("a", kHello).Add("b", kHello).Build();
  // Every cut of a valid container: the entries wholly inside are walked, the
  // walk ends early, and no stream reaches beyond the cut. ASan in the
  // sanitize preset catches a read past the copy's end.
  for (std::size_t cut = 0; cut < container.size(); ++cut) {
    const Bytes truncated(container.begin(), container.begin() + cut);
    const WalkResult result = WalkAll(truncated);
    EXPECT_TRUE(result.walk.endedEarly) << cut;
    for (const ContainerEntry& entry : result.entries) {
      EXPECT_LE(entry.stream + entry.streamLength, truncated.data() + cut) << cut;
    }
  }
  EXPECT_TRUE(StartWalk(nullptr, 0).endedEarly);
}

TEST(ContainerWalk, EndsOnCountsAndSizesBeyondTheData) {
  Bytes container = ContainerBuilder(ContainerFormat::Checksummed).Add("a", kHello).Build();
  WriteU32le(0xFFFFFFFFu, container.data() + kEntryCountOffset);
  WalkResult result = WalkAll(container);
  EXPECT_EQ(1u, result.entries.size());
  EXPECT_TRUE(result.walk.endedEarly);

  for (std::uint32_t huge : {0xFFFFFFFFu, 0xFFFFFFC8u, 0x80000000u}) {
    Bytes oversized = ContainerBuilder(ContainerFormat::Checksummed).Add("a", kHello).Build();
    WriteU32le(huge, oversized.data() + kContainerHeaderSize + kCompressedSizeOffset);
    result = WalkAll(oversized);
    EXPECT_TRUE(result.entries.empty()) << huge;
    EXPECT_TRUE(result.walk.endedEarly) << huge;
  }
  Bytes plain = ContainerBuilder(ContainerFormat::Plain).Add("a", kHello).Build();
  WriteU32le(0xFFFFFFF0u, plain.data() + kContainerHeaderSize + kPlainCompressedSizeOffset);
  EXPECT_TRUE(WalkAll(plain).walk.endedEarly);
}

TEST(ContainerWalk, BoundsNamesAndChecksumsWithoutTheirNul) {
  Bytes container = ContainerBuilder(ContainerFormat::Checksummed).Add("a", kHello).Build();
  std::memset(container.data() + kContainerHeaderSize + kEntryNameOffset, 'N', kEntryNameField);
  std::memset(container.data() + kContainerHeaderSize + kChecksumOffset, 'C', kChecksumTextSize);
  WalkResult result = WalkAll(container);
  ASSERT_EQ(1u, result.entries.size());
  EXPECT_FALSE(result.entries[0].nameTerminated);
  EXPECT_EQ(std::string(kEntryNameField, 'N'), result.entries[0].name);
  EXPECT_EQ(std::string(kChecksumTextSize, 'C'), result.entries[0].checksum);

  Bytes plain = ContainerBuilder(ContainerFormat::Plain).Add("skin1.bmp", kHello).Build();
  // The stored skin containers fill the name field after the NUL with 0xCC.
  std::memset(plain.data() + kContainerHeaderSize + kEntryNameOffset + 10, 0xCC, 4);
  result = WalkAll(plain);
  ASSERT_EQ(1u, result.entries.size());
  EXPECT_STREQ("skin1.bmp", result.entries[0].name);
  EXPECT_TRUE(result.entries[0].nameTerminated);
  std::memset(plain.data() + kContainerHeaderSize + kEntryNameOffset, 'N', kPlainEntryNameField);
  result = WalkAll(plain);
  EXPECT_FALSE(result.entries[0].nameTerminated);
  EXPECT_EQ(std::string(kPlainEntryNameField, 'N'), result.entries[0].name);
}

}  // namespace
