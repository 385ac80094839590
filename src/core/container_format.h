#pragma once

// The installer's container, shared by setup.exe and lzz.
//
// All integers are unsigned 32-bit little-endian; nothing is aligned, entries
// follow one another without gaps.
//
//   ContainerHeader, 10 bytes at offset 0
//   +-------+------------+-------------+
//   | magic | total size | entry count |   magic "L0": checksummed entries,
//   +-------+------------+-------------+   any other byte 1 ("LZ"): plain
//   0       2            6             10
//
//   then entry after entry: its header, then exactly compressed-size bytes of
//   a zlib stream (zlib's compress at the default level)
//
//   EntryHeader (checksummed format), 56 bytes
//   +------+-----------------+--------------------------+-----+-----------------+
//   | "LF" | name, NUL-ended | MD5 as 32 upper-case hex | 0 0 | compressed size |
//   +------+-----------------+--------------------------+-----+-----------------+
//   0      2                 18                         50    52                56
//
//   PlainEntryHeader (plain format: skin containers), 20 bytes
//   +------+-----------------+-----------------+
//   | "LF" | name, NUL-ended | compressed size |   bytes after the name's NUL
//   +------+-----------------+-----------------+   carry no meaning
//   0      2                 16                20
//
// Readers decide the format by magic byte 1 alone, take the count at offset 6,
// never look at magic byte 0 or the total size, and stop at the first entry
// whose tag is not "LF". The uncompressed size is stored nowhere.

#include <cstddef>
#include <cstdint>

enum class ContainerFormat : std::uint8_t { Checksummed, Plain };

inline constexpr char kChecksummedMagic[2] = {'L', '0'};
inline constexpr char kPlainMagic[2] = {'L', 'Z'};
inline constexpr char kEntryTag[2] = {'L', 'F'};

constexpr std::size_t kContainerHeaderSize = 10;
constexpr std::size_t kEntryHeaderSize = 56;
constexpr std::size_t kPlainEntryHeaderSize = 20;

constexpr std::size_t kTotalSizeOffset = 2;
constexpr std::size_t kEntryCountOffset = 6;
constexpr std::size_t kEntryNameOffset = 2;
constexpr std::size_t kEntryNameField = 16;
constexpr std::size_t kPlainEntryNameField = 14;
constexpr std::size_t kChecksumOffset = 18;
// 32 hexadecimal characters and the two zero bytes that end them.
constexpr std::size_t kChecksumTextSize = 34;
constexpr std::size_t kCompressedSizeOffset = 52;
constexpr std::size_t kPlainCompressedSizeOffset = 16;

// An 8.3 name; GBK bytes count one by one.
constexpr std::size_t kMaxEntryName = 12;
// No entry may inflate to more than the installer's 2 MiB work buffer.
constexpr std::size_t kInflateLimit = 2097152;

static_assert(kEntryCountOffset + 4 == kContainerHeaderSize, "ContainerHeader is 10 bytes");
static_assert(kEntryNameOffset + kEntryNameField == kChecksumOffset, "checksum follows the name");
static_assert(kChecksumOffset + kChecksumTextSize == kCompressedSizeOffset,
              "the compressed size follows the checksum's two zero bytes");
static_assert(kCompressedSizeOffset + 4 == kEntryHeaderSize, "EntryHeader is 56 bytes");
static_assert(kEntryNameOffset + kPlainEntryNameField == kPlainCompressedSizeOffset,
              "the plain compressed size follows the name");
static_assert(kPlainCompressedSizeOffset + 4 == kPlainEntryHeaderSize,
              "PlainEntryHeader is 20 bytes");
static_assert(kMaxEntryName < kPlainEntryNameField, "every name keeps its NUL in either format");

struct ContainerHeader {
  char magic[2];
  std::uint32_t totalSize;
  std::uint32_t entryCount;
};

struct EntryHeader {
  char name[kEntryNameField];
  char checksum[kChecksumTextSize];
  std::uint32_t compressedSize;
};

struct PlainEntryHeader {
  char name[kPlainEntryNameField];
  std::uint32_t compressedSize;
};

std::uint32_t ReadU32le(const std::uint8_t* bytes);
void WriteU32le(std::uint32_t value, std::uint8_t* bytes);

ContainerFormat FormatOfMagic(const char (&magic)[2]);
std::size_t EntryHeaderSize(ContainerFormat format);

// A container with no entries yet: total size 10, count 0.
ContainerHeader EmptyContainerHeader(ContainerFormat format);
// What a writer does to the header once an entry has been put after the last
// one: one more entry, its header and stream added to the total size.
void CountAppendedEntry(ContainerHeader& header, std::uint32_t compressedSize);

void EncodeContainerHeader(const ContainerHeader& header,
                           std::uint8_t (&out)[kContainerHeaderSize]);
ContainerHeader DecodeContainerHeader(const std::uint8_t (&in)[kContainerHeaderSize]);

// Encoders write the tag and every field; decoders ignore the tag.
void EncodeEntryHeader(const EntryHeader& header, std::uint8_t (&out)[kEntryHeaderSize]);
EntryHeader DecodeEntryHeader(const std::uint8_t (&in)[kEntryHeaderSize]);
void EncodePlainEntryHeader(const PlainEntryHeader& header,
                            std::uint8_t (&out)[kPlainEntryHeaderSize]);
PlainEntryHeader DecodePlainEntryHeader(const std::uint8_t (&in)[kPlainEntryHeaderSize]);
