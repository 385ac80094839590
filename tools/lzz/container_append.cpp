#include "container_append.h"

#include "core/container_writer.h"
#include "core/entry_stream.h"
#include "core/extraction_plan.h"
#include "gbk_names.h"
#include "host_files.h"
#include "md5_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

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

// The container file as the shared writer reads and writes it.
struct StdioContainer {
  std::FILE* file;
  const std::string* path;
};

bool StdioSize(void* context, std::uint32_t* size) {
  std::FILE* file = static_cast<StdioContainer*>(context)->file;
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  const long end = std::ftell(file);
  if (end < 0 || static_cast<unsigned long>(end) > 0xFFFFFFFFul) return false;
  *size = static_cast<std::uint32_t>(end);
  return true;
}

bool StdioRead(void* context, std::uint32_t offset, void* out, std::size_t length) {
  std::FILE* file = static_cast<StdioContainer*>(context)->file;
  return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
         std::fread(out, 1, length, file) == length;
}

bool StdioWrite(void* context, std::uint32_t offset, const void* bytes, std::size_t length) {
  std::FILE* file = static_cast<StdioContainer*>(context)->file;
  return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
         std::fwrite(bytes, 1, length, file) == length && std::fflush(file) == 0;
}

bool StdioCut(void* context, std::uint32_t length) {
  const auto* container = static_cast<StdioContainer*>(context);
  std::error_code error;
  std::fflush(container->file);
  std::filesystem::resize_file(*container->path, length, error);
  return !error;
}

// Creates the container only where no file is: an existing file that cannot
// be opened for writing is never truncated.
File OpenOrCreateContainer(const std::string& path, ContainerFormat format) {
  File container(std::fopen(path.c_str(), "r+b"));
  if (container || errno != ENOENT) return container;
  container.reset(std::fopen(path.c_str(), "w+bx"));
  if (!container) return container;
  StdioContainer context{container.get(), &path};
  const ContainerFile file = {&context, StdioSize, StdioRead, StdioWrite, StdioCut};
  if (!WriteEmptyContainer(file, format)) container.reset();
  return container;
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
  char checksum[kChecksumTextSize] = {};
  if (format == ContainerFormat::Checksummed) Md5Text(data.data(), data.size(), checksum);

  StdioContainer context{container.get(), &containerPath};
  const ContainerFile file = {&context, StdioSize, StdioRead, StdioWrite, StdioCut};
  const NewEntry entry{name.c_str(), checksum, stream.data(),
                       static_cast<std::uint32_t>(compressedSize)};
  std::uint32_t walked = 0;
  switch (AppendEntry(file, format, entry, &walked)) {
    case AppendResult::kAdded:
      return true;
    case AppendResult::kNoContainer:
      error = containerPath + ": not a container";
      break;
    case AppendResult::kOtherFormat:
      error = containerPath + (format == ContainerFormat::Checksummed
                                   ? ": a plain-format container, add to it with pack --plain"
                                   : ": a checksummed container, add to it without --plain");
      break;
    case AppendResult::kDamaged:
      error = containerPath + ": damaged after entry " + std::to_string(walked);
      break;
    case AppendResult::kDuplicate:
      error = "\"" + DisplayName(name) + "\": already in " + containerPath;
      break;
    case AppendResult::kWriteFailed:
      error = containerPath + ": write failed";
      break;
  }
  return false;
}
