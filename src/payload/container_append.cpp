#include "payload/container_append.h"

#include "core/container_format.h"
#include "core/container_writer.h"
#include "core/entry_stream.h"
#include "core/extraction_plan.h"
#include "payload/md5_text.h"
#include "system/narrow_text.h"

#include <windows.h>

#include <cstring>

namespace {

// The part of the path after its last backslash; a backslash in front of
// everything else does not count.
const char* EntryNameOf(const char* filePath) {
  const char* slash = LastBackslash(filePath, AnsiLeadBytes());
  return slash != nullptr && slash != filePath ? slash + 1 : filePath;
}

// The container file as the shared writer reads and writes it.
bool HandleSize(void* context, std::uint32_t* size) {
  const LONG end = _llseek(*static_cast<HFILE*>(context), 0, FILE_END);
  if (end == HFILE_ERROR) return false;
  *size = static_cast<std::uint32_t>(end);
  return true;
}

bool HandleRead(void* context, std::uint32_t offset, void* out, std::size_t length) {
  const HFILE file = *static_cast<HFILE*>(context);
  return _llseek(file, static_cast<LONG>(offset), FILE_BEGIN) != HFILE_ERROR &&
         _lread(file, out, static_cast<UINT>(length)) == length;
}

bool HandleWrite(void* context, std::uint32_t offset, const void* bytes, std::size_t length) {
  const HFILE file = *static_cast<HFILE*>(context);
  return _llseek(file, static_cast<LONG>(offset), FILE_BEGIN) != HFILE_ERROR &&
         _lwrite(file, static_cast<LPCCH>(bytes), static_cast<UINT>(length)) == length;
}

// A write of no bytes ends the file where it stands.
bool HandleCut(void* context, std::uint32_t length) {
  const HFILE file = *static_cast<HFILE*>(context);
  return _llseek(file, static_cast<LONG>(length), FILE_BEGIN) != HFILE_ERROR &&
         _lwrite(file, "", 0) == 0;
}

// Opens the container for reading and writing, or creates it with an empty
// header where no file is. An existing file that cannot be opened is never
// truncated.
HFILE OpenOrCreateContainer(const char* path) {
  HFILE container = _lopen(path, OF_READWRITE);
  if (container != HFILE_ERROR || GetLastError() != ERROR_FILE_NOT_FOUND) return container;
  container = _lcreat(path, 0);
  if (container == HFILE_ERROR) return container;
  const ContainerFile file = {&container, HandleSize, HandleRead, HandleWrite, HandleCut};
  WriteEmptyContainer(file, ContainerFormat::Checksummed);
  return container;
}

// Reads the whole source file into a block with room for its compressed
// stream behind it, and makes the entry of it. Returns the locked block, or
// null when the file cannot be read or does not compress into its room.
HGLOBAL ReadAndCompress(const char* filePath, char (&checksum)[kChecksumTextSize],
                        NewEntry& entry) {
  HFILE file = _lopen(filePath, OF_READ);
  if (file == HFILE_ERROR) return nullptr;
  const LONG size = _llseek(file, 0, FILE_END);
  _llseek(file, 0, FILE_BEGIN);
  // Twice the size and 8 KiB more must fit in one block.
  if (size == HFILE_ERROR || static_cast<DWORD>(size) > (MAXDWORD - 8192) / 2) {
    _lclose(file);
    return nullptr;
  }
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 2 * static_cast<DWORD>(size) + 8192);
  auto* data = memory != nullptr ? static_cast<std::uint8_t*>(GlobalLock(memory)) : nullptr;
  if (data == nullptr) {
    if (memory != nullptr) GlobalFree(memory);
    _lclose(file);
    return nullptr;
  }
  UINT read = _lread(file, data, static_cast<UINT>(size));
  _lclose(file);
  if (read == static_cast<UINT>(HFILE_ERROR)) read = 0;
  Md5Text(data, read, checksum);
  std::uint8_t* stream = data + read;
  entry.checksum = checksum;
  entry.stream = stream;
  entry.streamLength =
      static_cast<std::uint32_t>(CompressEntry(data, read, stream, CompressionRoom(read)));
  if (entry.streamLength == 0) {
    GlobalUnlock(memory);
    GlobalFree(memory);
    return nullptr;
  }
  return memory;
}

}  // namespace

int AppendFileToContainer(const char* containerPath, const char* filePath) {
  if (filePath[0] == '\0') return 0;
  const char* name = EntryNameOf(filePath);
  // No reader would write an entry whose name is not a plain file name.
  if (std::strlen(name) > kMaxEntryName || !IsPlainFileName(name)) return 0;

  HFILE container = OpenOrCreateContainer(containerPath);
  if (container == HFILE_ERROR) return 0;
  char checksum[kChecksumTextSize];
  NewEntry entry{name, nullptr, nullptr, 0};
  HGLOBAL memory = ReadAndCompress(filePath, checksum, entry);
  int added = 0;
  if (memory != nullptr) {
    const ContainerFile file = {&container, HandleSize, HandleRead, HandleWrite, HandleCut};
    std::uint32_t walked = 0;
    added = AppendEntry(file, ContainerFormat::Checksummed, entry, &walked) == AppendResult::kAdded;
    GlobalUnlock(memory);
    GlobalFree(memory);
  }
  _lclose(container);
  return added;
}
