#include "core/container_writer.h"

#include <cstring>

namespace {

// The name and stream size of a stored entry header, in either format.
struct StoredEntry {
  char name[kEntryNameField];
  std::uint32_t compressedSize;
};

bool ReadEntryHeader(const ContainerFile& file, ContainerFormat format, std::uint32_t offset,
                     StoredEntry* stored) {
  if (format == ContainerFormat::Checksummed) {
    std::uint8_t bytes[kEntryHeaderSize];
    if (!file.read(file.context, offset, bytes, sizeof bytes) ||
        std::memcmp(bytes, kEntryTag, sizeof kEntryTag) != 0) {
      return false;
    }
    const EntryHeader header = DecodeEntryHeader(bytes);
    std::memcpy(stored->name, header.name, sizeof header.name);
    stored->compressedSize = header.compressedSize;
    return true;
  }
  std::uint8_t bytes[kPlainEntryHeaderSize];
  if (!file.read(file.context, offset, bytes, sizeof bytes) ||
      std::memcmp(bytes, kEntryTag, sizeof kEntryTag) != 0) {
    return false;
  }
  const PlainEntryHeader header = DecodePlainEntryHeader(bytes);
  std::memset(stored->name, 0, sizeof stored->name);
  std::memcpy(stored->name, header.name, sizeof header.name);
  stored->compressedSize = header.compressedSize;
  return true;
}

// The new entry's header bytes; returns their length.
std::size_t EncodeNewEntry(ContainerFormat format, const NewEntry& entry,
                           std::uint8_t (&bytes)[kEntryHeaderSize]) {
  if (format == ContainerFormat::Checksummed) {
    EntryHeader header{};
    std::memcpy(header.name, entry.name, strnlen(entry.name, kMaxEntryName));
    std::memcpy(header.checksum, entry.checksum, sizeof header.checksum);
    header.compressedSize = entry.streamLength;
    EncodeEntryHeader(header, bytes);
    return kEntryHeaderSize;
  }
  PlainEntryHeader header{};
  std::memcpy(header.name, entry.name, strnlen(entry.name, kMaxEntryName));
  header.compressedSize = entry.streamLength;
  std::uint8_t plain[kPlainEntryHeaderSize];
  EncodePlainEntryHeader(header, plain);
  std::memcpy(bytes, plain, sizeof plain);
  return kPlainEntryHeaderSize;
}

}  // namespace

bool WriteEmptyContainer(const ContainerFile& file, ContainerFormat format) {
  std::uint8_t header[kContainerHeaderSize];
  EncodeContainerHeader(EmptyContainerHeader(format), header);
  return file.write(file.context, 0, header, sizeof header);
}

AppendResult AppendEntry(const ContainerFile& file, ContainerFormat format, const NewEntry& entry,
                         std::uint32_t* walked) {
  *walked = 0;
  std::uint32_t fileSize = 0;
  std::uint8_t headerBytes[kContainerHeaderSize];
  if (!file.size(file.context, &fileSize) || fileSize < kContainerHeaderSize ||
      !file.read(file.context, 0, headerBytes, sizeof headerBytes)) {
    return AppendResult::kNoContainer;
  }
  ContainerHeader header = DecodeContainerHeader(headerBytes);
  if (FormatOfMagic(header.magic) != format) return AppendResult::kOtherFormat;

  const std::uint32_t entryHeaderSize = static_cast<std::uint32_t>(EntryHeaderSize(format));
  std::uint32_t end = kContainerHeaderSize;
  for (; *walked < header.entryCount; ++*walked) {
    StoredEntry stored;
    if (fileSize - end < entryHeaderSize || !ReadEntryHeader(file, format, end, &stored)) {
      return AppendResult::kDamaged;
    }
    if (std::strncmp(stored.name, entry.name, sizeof stored.name) == 0) {
      return AppendResult::kDuplicate;
    }
    end += entryHeaderSize;
    // Compared against what is left, so a size near 2^32 cannot wrap.
    if (stored.compressedSize > fileSize - end) return AppendResult::kDamaged;
    end += stored.compressedSize;
  }

  std::uint8_t entryBytes[kEntryHeaderSize];
  const std::size_t entryBytesLength = EncodeNewEntry(format, entry, entryBytes);
  CountAppendedEntry(header, entry.streamLength);
  EncodeContainerHeader(header, headerBytes);
  if (file.write(file.context, end, entryBytes, entryBytesLength) &&
      file.write(file.context, end + entryHeaderSize, entry.stream, entry.streamLength) &&
      file.write(file.context, 0, headerBytes, sizeof headerBytes)) {
    return AppendResult::kAdded;
  }
  file.cut(file.context, end);
  return AppendResult::kWriteFailed;
}
