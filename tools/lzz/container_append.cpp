#include "container_append.h"

#include "core/container_walk.h"
#include "core/entry_stream.h"
#include "core/extraction_plan.h"
#include "gbk_names.h"
#include "host_files.h"
#include "md5_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The stored name: the GBK bytes of the path's last part, at most 12 of them.
bool EntryNameOf(const std::string& filePath, std::string& name, std::string& error) {
  const std::string base = BaseName(filePath);
  if (!Utf8ToGbk(base, name)) {
    error = "\"" + base + "\": name has no GBK form";
    return false;
  }
  if (name.size() > kMaxEntryName) {
    error = "\"" + base + "\": name longer than 12 bytes in GBK";
    return false;
  }
  // A GBK trail byte 0x5C would read as a backslash, and no reader would
  // write such an entry.
  if (!IsPlainFileName(name.c_str())) {
    error = "\"" + base + "\": not a plain file name in GBK";
    return false;
  }
  return true;
}

// Creates the container only where no file is: an existing file that cannot
// be opened for writing is never truncated.
File OpenOrCreateContainer(const std::string& path, ContainerFormat format) {
  File container(std::fopen(path.c_str(), "r+b"));
  if (container || errno != ENOENT) return container;
  container.reset(std::fopen(path.c_str(), "w+bx"));
  if (!container) return container;
  std::uint8_t header[kContainerHeaderSize];
  EncodeContainerHeader(EmptyContainerHeader(format), header);
  if (std::fwrite(header, 1, sizeof header, container.get()) != sizeof header ||
      std::fflush(container.get()) != 0) {
    container.reset();
  }
  return container;
}

// The entry header's bytes for the new entry, in the container's format.
Bytes EncodeNewEntryHeader(ContainerFormat format, const std::string& name, const Bytes& data,
                           std::size_t compressedSize) {
  if (format == ContainerFormat::Checksummed) {
    EntryHeader header{};
    std::memcpy(header.name, name.data(), name.size());
    Md5Text(data.data(), data.size(), header.checksum);
    header.compressedSize = static_cast<std::uint32_t>(compressedSize);
    std::uint8_t bytes[kEntryHeaderSize];
    EncodeEntryHeader(header, bytes);
    return Bytes(bytes, bytes + sizeof bytes);
  }
  PlainEntryHeader header{};
  std::memcpy(header.name, name.data(), name.size());
  header.compressedSize = static_cast<std::uint32_t>(compressedSize);
  std::uint8_t bytes[kPlainEntryHeaderSize];
  EncodePlainEntryHeader(header, bytes);
  return Bytes(bytes, bytes + sizeof bytes);
}

}  // namespace

bool AppendFileToContainer(const std::string& containerPath, const std::string& filePath,
                           ContainerFormat format, std::string& error) {
  if (filePath.empty()) {
    error = "empty file path";
    return false;
  }
  std::string name;
  if (!EntryNameOf(filePath, name, error)) return false;

  File container = OpenOrCreateContainer(containerPath, format);
  if (!container) {
    error = containerPath + ": cannot be opened or created";
    return false;
  }
  Bytes existing;
  if (!ReadWholeFile(containerPath, existing, error)) {
    error = containerPath + ": " + error;
    return false;
  }
  if (existing.size() < kContainerHeaderSize) {
    error = containerPath + ": not a container";
    return false;
  }
  ContainerWalk walk = StartWalk(existing.data(), existing.size());
  if (walk.format != format) {
    error = containerPath + (walk.format == ContainerFormat::Plain
                                 ? ": a plain-format container, add to it with pack --plain"
                                 : ": a checksummed container, add to it without --plain");
    return false;
  }
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    if (name == entry.name) {
      error = "\"" + DisplayName(name) + "\": already in " + containerPath;
      return false;
    }
  }
  if (walk.endedEarly) {
    error = containerPath + ": damaged after entry " + std::to_string(walk.walked);
    return false;
  }

  Bytes data;
  if (!ReadWholeFile(filePath, data, error)) {
    error = filePath + ": " + error;
    return false;
  }
  // The installer could not inflate the entry again.
  if (data.size() > kInflateLimit) {
    error = filePath + ": larger than 2 MiB";
    return false;
  }
  Bytes stream(CompressionRoom(data.size()));
  const std::size_t compressedSize =
      CompressEntry(data.data(), data.size(), stream.data(), stream.size());
  if (compressedSize == 0) {
    error = filePath + ": does not compress into " + std::to_string(stream.size()) + " bytes";
    return false;
  }

  const Bytes entryHeader = EncodeNewEntryHeader(format, name, data, compressedSize);
  std::uint8_t headerBytes[kContainerHeaderSize];
  std::memcpy(headerBytes, existing.data(), sizeof headerBytes);
  ContainerHeader header = DecodeContainerHeader(headerBytes);
  CountAppendedEntry(header, static_cast<std::uint32_t>(compressedSize));
  EncodeContainerHeader(header, headerBytes);

  std::FILE* file = container.get();
  const bool written =
      std::fseek(file, static_cast<long>(walk.offset), SEEK_SET) == 0 &&
      std::fwrite(entryHeader.data(), 1, entryHeader.size(), file) == entryHeader.size() &&
      std::fwrite(stream.data(), 1, compressedSize, file) == compressedSize &&
      std::fseek(file, 0, SEEK_SET) == 0 &&
      std::fwrite(headerBytes, 1, sizeof headerBytes, file) == sizeof headerBytes &&
      std::fflush(file) == 0;
  if (!written) error = containerPath + ": write failed";
  return written;
}
