#include "core/container_format.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ContainerFormat, HeadersEncodeLittleEndianAtTheirOffsets) {
  ContainerHeader header = EmptyContainerHeader(ContainerFormat::Checksummed);
  CountAppendedEntry(header, 0x01020304);
  std::uint8_t bytes[kContainerHeaderSize];
  EncodeContainerHeader(header, bytes);
  const std::uint8_t expected[kContainerHeaderSize] = {'L', '0', 0x46, 0x03, 0x02, 0x01,
                                                       1,   0,   0,    0};
  EXPECT_EQ(0, std::memcmp(expected, bytes, sizeof bytes));
  const ContainerHeader decoded = DecodeContainerHeader(bytes);
  EXPECT_EQ(header.totalSize, decoded.totalSize);
  EXPECT_EQ(1u, decoded.entryCount);

  EntryHeader entry{};
  std::memcpy(entry.name, "lzsr1.bmp", 9);
  std::memcpy(entry.checksum, "D41D8CD98F00B204E9800998ECF8427E", 32);
  entry.compressedSize = 0xA0B0C0D0u;
  std::uint8_t entryBytes[kEntryHeaderSize];
  EncodeEntryHeader(entry, entryBytes);
  EXPECT_EQ(0, std::memcmp("LFlzsr1.bmp\0\0\0\0\0\0\0D41D8CD98F00B204E9800998ECF8427E\0\0"
                           "\xD0\xC0\xB0\xA0",
                           entryBytes, sizeof entryBytes));
  const EntryHeader decodedEntry = DecodeEntryHeader(entryBytes);
  EXPECT_EQ(0, std::memcmp(&entry.name, &decodedEntry.name, sizeof entry.name));
  EXPECT_EQ(0, std::memcmp(&entry.checksum, &decodedEntry.checksum, sizeof entry.checksum));
  EXPECT_EQ(entry.compressedSize, decodedEntry.compressedSize);
}

TEST(ContainerFormat, PlainHeadersAreTwentyBytesAndCountInTheTotal) {
  ContainerHeader header = EmptyContainerHeader(ContainerFormat::Plain);
  EXPECT_EQ(ContainerFormat::Plain, FormatOfMagic(header.magic));
  CountAppendedEntry(header, 100);
  CountAppendedEntry(header, 7);
  EXPECT_EQ(10u + 20 + 100 + 20 + 7, header.totalSize);
  EXPECT_EQ(2u, header.entryCount);

  PlainEntryHeader entry{};
  std::memcpy(entry.name, "skin.lzh", 8);
  entry.compressedSize = 4096;
  std::uint8_t bytes[kPlainEntryHeaderSize];
  EncodePlainEntryHeader(entry, bytes);
  EXPECT_EQ(0, std::memcmp("LFskin.lzh\0\0\0\0\0\0\x00\x10\0\0", bytes, sizeof bytes));
  EXPECT_EQ(4096u, DecodePlainEntryHeader(bytes).compressedSize);
}

}  // namespace
