#include "core/container_walk.h"

#include <cstring>

// Copies a NUL-ended text field into `out` (field size + 1 bytes) and tells
// whether the field held its NUL.
static bool CopyFieldText(const std::uint8_t* field, std::size_t fieldSize, char* out) {
  const void* nul = std::memchr(field, 0, fieldSize);
  const std::size_t length =
      nul != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - field)
                     : fieldSize;
  std::memcpy(out, field, length);
  out[length] = '\0';
  return nul != nullptr;
}

ContainerWalk StartWalk(const std::uint8_t* data, std::size_t length) {
  ContainerWalk walk{};
  walk.data = data;
  walk.length = length;
  walk.format = ContainerFormat::Plain;
  if (data == nullptr || length < kContainerHeaderSize) {
    walk.endedEarly = true;
    return walk;
  }
  std::uint8_t bytes[kContainerHeaderSize];
  std::memcpy(bytes, data, sizeof bytes);
  const ContainerHeader header = DecodeContainerHeader(bytes);
  walk.format = FormatOfMagic(header.magic);
  walk.entryCount = header.entryCount;
  walk.offset = kContainerHeaderSize;
  return walk;
}

bool NextEntry(ContainerWalk& walk, ContainerEntry& entry) {
  if (walk.endedEarly || walk.walked >= walk.entryCount) return false;
  const std::size_t headerSize = EntryHeaderSize(walk.format);
  const std::size_t remaining = walk.length - walk.offset;
  const std::uint8_t* header = walk.data + walk.offset;
  if (remaining < headerSize || std::memcmp(header, kEntryTag, sizeof kEntryTag) != 0) {
    walk.endedEarly = true;
    return false;
  }
  entry = ContainerEntry{};
  if (walk.format == ContainerFormat::Checksummed) {
    entry.nameTerminated = CopyFieldText(header + kEntryNameOffset, kEntryNameField, entry.name);
    CopyFieldText(header + kChecksumOffset, kChecksumTextSize, entry.checksum);
    entry.streamLength = ReadU32le(header + kCompressedSizeOffset);
  } else {
    entry.nameTerminated =
        CopyFieldText(header + kEntryNameOffset, kPlainEntryNameField, entry.name);
    entry.streamLength = ReadU32le(header + kPlainCompressedSizeOffset);
  }
  // Compared against what is left, so a size near 2^32 cannot wrap the offset.
  if (entry.streamLength > remaining - headerSize) {
    walk.endedEarly = true;
    return false;
  }
  entry.index = walk.walked;
  entry.headerOffset = walk.offset;
  entry.stream = header + headerSize;
  walk.offset += headerSize + entry.streamLength;
  walk.walked += 1;
  return true;
}
