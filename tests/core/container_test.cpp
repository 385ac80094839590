// The container: its bytes, the walk over them and which names extraction
// may write; lzz_test.sh checks the checksum texts.
#include "core/container_format.h"
#include "core/container_walk.h"
#include "core/entry_stream.h"
#include "core/extraction_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A container of the named texts, made with the product's own encoders, so
// the tests walk real bytes and then damage them.
Bytes Container(const std::vector<std::pair<std::string, std::string>>& files) {
  ContainerHeader header = EmptyContainerHeader(ContainerFormat::Checksummed);
  std::uint8_t bytes[kEntryHeaderSize];
  Bytes out(kContainerHeaderSize);
  for (const auto& [name, data] : files) {
    Bytes stream(CompressionRoom(data.size()));
    stream.resize(CompressEntry(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(),
                                stream.data(), stream.size()));
    EntryHeader entry{{}, "D41D8CD98F00B204E9800998ECF8427E", std::uint32_t(stream.size())};
    std::memcpy(entry.name, name.data(), name.size());  // the tests' names are short
    EncodeEntryHeader(entry, bytes);
    out.insert(out.end(), bytes, bytes + sizeof bytes);
    out.insert(out.end(), stream.begin(), stream.end());
    CountAppendedEntry(header, entry.compressedSize);
  }
  std::uint8_t head[kContainerHeaderSize];
  EncodeContainerHeader(header, head);
  std::copy(head, head + sizeof head, out.begin());
  return out;
}

// Every entry a walk yields, and how the walk ended.
struct WalkResult {
  std::vector<ContainerEntry> entries;
  ContainerWalk walk;
};

WalkResult WalkAll(const Bytes& container) {
  WalkResult result{{}, StartWalk(container.data(), container.size())};
  ContainerEntry entry{};
  while (NextEntry(result.walk, entry)) result.entries.push_back(entry);
  return result;
}

const std::string kHello = "hello, container";

TEST(ContainerFormat, HeadersAreLittleEndianAndTheTotalCountsEveryHeader) {
  ContainerHeader header = EmptyContainerHeader(ContainerFormat::Checksummed);
  CountAppendedEntry(header, 0x01020304);
  std::uint8_t bytes[kContainerHeaderSize];
  EncodeContainerHeader(header, bytes);
  EXPECT_EQ(0, std::memcmp("L0\x46\x03\x02\x01\x01\0\0\0", bytes, sizeof bytes));
  EntryHeader entry{"lzsr1.bmp", "D41D8CD98F00B204E9800998ECF8427E", 0xA0B0C0D0u};
  std::uint8_t entryBytes[kEntryHeaderSize];
  EncodeEntryHeader(entry, entryBytes);
  EXPECT_EQ(0, std::memcmp("LFlzsr1.bmp\0\0\0\0\0\0\0D41D8CD98F00B204E9800998ECF8427E\0\0"
                           "\xD0\xC0\xB0\xA0", entryBytes, sizeof entryBytes));

  header = EmptyContainerHeader(ContainerFormat::Plain);
  CountAppendedEntry(header, 100);
  EXPECT_EQ(10u + 20 + 100, header.totalSize);
  std::uint8_t plain[kPlainEntryHeaderSize];
  EncodePlainEntryHeader({"skin.lzh", 4096}, plain);
  EXPECT_EQ(0, std::memcmp("LFskin.lzh\0\0\0\0\0\0\x00\x10\0\0", plain, sizeof plain));
}

TEST(ContainerWalk, WalksBothFormatsByMagicByteOneUntilTheCountOrABadTag) {
  Bytes container = Container({{"lanzpyck.lz1", kHello}, {"b", ""}});
  container.insert(container.end(), {0, 0, 0, 0});  // the shipped payload's spare bytes
  WalkResult result = WalkAll(container);
  EXPECT_FALSE(result.walk.endedEarly);
  ASSERT_EQ(2u, result.entries.size());
  EXPECT_STREQ("lanzpyck.lz1", result.entries[0].name);
  EXPECT_STREQ("D41D8CD98F00B204E9800998ECF8427E", result.entries[0].checksum);
  EXPECT_EQ(container.data() + kContainerHeaderSize + kEntryHeaderSize, result.entries[0].stream);
  EXPECT_EQ(container.data() + container.size() - 4,
            result.entries[1].stream + result.entries[1].streamLength);

  container[0] = 'X';  // byte 0 is never looked at
  container[result.entries[1].headerOffset + 1] = 'G';
  result = WalkAll(container);
  EXPECT_EQ(1u, result.entries.size());
  EXPECT_TRUE(result.walk.endedEarly);
  container[1] = 'Z';  // now 20-byte headers over the 56-byte ones
  EXPECT_EQ(ContainerFormat::Plain, WalkAll(container).walk.format);
}

TEST(ContainerWalk, NeverReadsPastTheLength) {
  const Bytes container = Container({{"a", kHello}, {"b", kHello}});
  // Every cut: the entries wholly inside are walked and the walk ends early.
  for (std::size_t cut = 0; cut < container.size(); ++cut) {
    const WalkResult result = WalkAll(Bytes(container.begin(), container.begin() + cut));
    EXPECT_TRUE(result.walk.endedEarly) << cut;
    for (const ContainerEntry& entry : result.entries) {
      EXPECT_LE(entry.headerOffset + kEntryHeaderSize + entry.streamLength, cut) << cut;
    }
  }
  // Names and checksums that fill their fields are cut there.
  Bytes unterminated = container;
  std::memset(unterminated.data() + kContainerHeaderSize + kEntryNameOffset, 'N', 16 + 34);
  const ContainerEntry entry = WalkAll(unterminated).entries.at(0);
  EXPECT_FALSE(entry.nameTerminated);
  EXPECT_EQ(std::string(kEntryNameField, 'N'), entry.name);
  EXPECT_EQ(std::string(kChecksumTextSize, 'N'), entry.checksum);
}

TEST(IsPlainFileName, RefusesWhatCouldLeaveTheDirectoryOrNameADevice) {
  for (const char* name : {"", ".", "..", "..\\boot.ini", "a/b", "c:x.dll", "a.txt:ads", "\x81\\",
                           "con", "nul.txt", "Aux.lzh", "prn", "com1", "COM9", "LPT9.ime",
                           "con .txt", "conin$", "CONOUT$"}) {
    EXPECT_FALSE(IsPlainFileName(name)) << name;
  }
  for (const char* name : {"lanzhu4.ime", "\xB1\xF9\xB4\xA8\xC0\xB6\xB5\xF7.lzz", "...", ".lzh",
                           "com0", "com10", "lpt", "console.txt", "nul_", "lanzcon.lzh"}) {
    EXPECT_TRUE(IsPlainFileName(name)) << name;
  }
}

}  // namespace
