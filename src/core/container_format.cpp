#include "core/container_format.h"

#include <cstring>

std::uint32_t ReadU32le(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void WriteU32le(std::uint32_t value, std::uint8_t* bytes) {
  bytes[0] = static_cast<std::uint8_t>(value);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
  bytes[2] = static_cast<std::uint8_t>(value >> 16);
  bytes[3] = static_cast<std::uint8_t>(value >> 24);
}

ContainerFormat FormatOfMagic(const char (&magic)[2]) {
  return magic[1] == kChecksummedMagic[1] ? ContainerFormat::Checksummed : ContainerFormat::Plain;
}

std::size_t EntryHeaderSize(ContainerFormat format) {
  return format == ContainerFormat::Checksummed ? kEntryHeaderSize : kPlainEntryHeaderSize;
}

ContainerHeader EmptyContainerHeader(ContainerFormat format) {
  ContainerHeader header{};
  std::memcpy(header.magic,
              format == ContainerFormat::Checksummed ? kChecksummedMagic : kPlainMagic,
              sizeof header.magic);
  header.totalSize = kContainerHeaderSize;
  return header;
}

void CountAppendedEntry(ContainerHeader& header, std::uint32_t compressedSize) {
  header.entryCount += 1;
  header.totalSize += static_cast<std::uint32_t>(EntryHeaderSize(FormatOfMagic(header.magic))) +
                      compressedSize;
}

void EncodeContainerHeader(const ContainerHeader& header,
                           std::uint8_t (&out)[kContainerHeaderSize]) {
  std::memcpy(out, header.magic, sizeof header.magic);
  WriteU32le(header.totalSize, out + kTotalSizeOffset);
  WriteU32le(header.entryCount, out + kEntryCountOffset);
}

ContainerHeader DecodeContainerHeader(const std::uint8_t (&in)[kContainerHeaderSize]) {
  ContainerHeader header{};
  std::memcpy(header.magic, in, sizeof header.magic);
  header.totalSize = ReadU32le(in + kTotalSizeOffset);
  header.entryCount = ReadU32le(in + kEntryCountOffset);
  return header;
}

void EncodeEntryHeader(const EntryHeader& header, std::uint8_t (&out)[kEntryHeaderSize]) {
  std::memcpy(out, kEntryTag, sizeof kEntryTag);
  std::memcpy(out + kEntryNameOffset, header.name, sizeof header.name);
  std::memcpy(out + kChecksumOffset, header.checksum, sizeof header.checksum);
  WriteU32le(header.compressedSize, out + kCompressedSizeOffset);
}

EntryHeader DecodeEntryHeader(const std::uint8_t (&in)[kEntryHeaderSize]) {
  EntryHeader header{};
  std::memcpy(header.name, in + kEntryNameOffset, sizeof header.name);
  std::memcpy(header.checksum, in + kChecksumOffset, sizeof header.checksum);
  header.compressedSize = ReadU32le(in + kCompressedSizeOffset);
  return header;
}

void EncodePlainEntryHeader(const PlainEntryHeader& header,
                            std::uint8_t (&out)[kPlainEntryHeaderSize]) {
  std::memcpy(out, kEntryTag, sizeof kEntryTag);
  std::memcpy(out + kEntryNameOffset, header.name, sizeof header.name);
  WriteU32le(header.compressedSize, out + kPlainCompressedSizeOffset);
}

PlainEntryHeader DecodePlainEntryHeader(const std::uint8_t (&in)[kPlainEntryHeaderSize]) {
  PlainEntryHeader header{};
  std::memcpy(header.name, in + kEntryNameOffset, sizeof header.name);
  header.compressedSize = ReadU32le(in + kPlainCompressedSizeOffset);
  return header;
}
