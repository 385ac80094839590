#include "payload/container_append.h"

#include "core/container_format.h"
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

// Opens the container for reading and writing, or creates it with an empty
// header where no file is. An existing file that cannot be opened is never
// truncated.
HFILE OpenOrCreateContainer(const char* path) {
  HFILE container = _lopen(path, OF_READWRITE);
  if (container != HFILE_ERROR || GetLastError() != ERROR_FILE_NOT_FOUND) return container;
  container = _lcreat(path, 0);
  if (container == HFILE_ERROR) return container;
  std::uint8_t header[kContainerHeaderSize];
  EncodeContainerHeader(EmptyContainerHeader(ContainerFormat::Checksummed), header);
  _lwrite(container, reinterpret_cast<LPCCH>(header), sizeof header);
  _llseek(container, 0, FILE_BEGIN);
  return container;
}

// Reads the header, checks every stored entry for the name and leaves the
// file at the end of the last one. False for a duplicate, and for a file that
// is no whole checksummed container: appending to it would damage it.
bool SeekPastEntries(HFILE container, const char* name, ContainerHeader& header,
                     LONG& endOfEntries) {
  const LONG fileSize = _llseek(container, 0, FILE_END);
  _llseek(container, 0, FILE_BEGIN);
  std::uint8_t headerBytes[kContainerHeaderSize];
  if (fileSize == HFILE_ERROR ||
      _lread(container, headerBytes, sizeof headerBytes) != sizeof headerBytes) {
    return false;
  }
  header = DecodeContainerHeader(headerBytes);
  if (FormatOfMagic(header.magic) != ContainerFormat::Checksummed) return false;
  LONG position = kContainerHeaderSize;
  for (std::uint32_t i = 0; i < header.entryCount; ++i) {
    std::uint8_t entryBytes[kEntryHeaderSize];
    if (fileSize - position < static_cast<LONG>(kEntryHeaderSize) ||
        _lread(container, entryBytes, sizeof entryBytes) != sizeof entryBytes ||
        std::memcmp(entryBytes, kEntryTag, sizeof kEntryTag) != 0) {
      return false;
    }
    const EntryHeader entry = DecodeEntryHeader(entryBytes);
    if (std::strncmp(entry.name, name, sizeof entry.name) == 0) return false;
    position += kEntryHeaderSize;
    if (entry.compressedSize > static_cast<DWORD>(fileSize - position)) return false;
    position += static_cast<LONG>(entry.compressedSize);
    _llseek(container, position, FILE_BEGIN);
  }
  endOfEntries = position;
  return true;
}

// Writes the new entry at the end of the entries, then the header that counts
// it. A short write cuts the file back, so the old entries and header stay.
bool WriteEntry(HFILE container, LONG endOfEntries, ContainerHeader header,
                const EntryHeader& entry, const std::uint8_t* stream) {
  std::uint8_t entryBytes[kEntryHeaderSize];
  EncodeEntryHeader(entry, entryBytes);
  const UINT streamLength = entry.compressedSize;
  if (_lwrite(container, reinterpret_cast<LPCCH>(entryBytes), sizeof entryBytes) !=
          sizeof entryBytes ||
      _lwrite(container, reinterpret_cast<LPCCH>(stream), streamLength) != streamLength) {
    _llseek(container, endOfEntries, FILE_BEGIN);
    _lwrite(container, "", 0);
    return false;
  }
  CountAppendedEntry(header, entry.compressedSize);
  std::uint8_t headerBytes[kContainerHeaderSize];
  EncodeContainerHeader(header, headerBytes);
  _llseek(container, 0, FILE_BEGIN);
  return _lwrite(container, reinterpret_cast<LPCCH>(headerBytes), sizeof headerBytes) ==
         sizeof headerBytes;
}

// Reads the whole source file into a block with room for its compressed
// stream behind it, and makes the entry of it. Returns the locked block, or
// null when the file cannot be read or does not compress into its room.
HGLOBAL ReadAndCompress(const char* filePath, EntryHeader& entry, std::uint8_t*& stream) {
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
  Md5Text(data, read, entry.checksum);
  stream = data + read;
  entry.compressedSize =
      static_cast<std::uint32_t>(CompressEntry(data, read, stream, CompressionRoom(read)));
  if (entry.compressedSize == 0) {
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
  EntryHeader entry{};
  std::memcpy(entry.name, name, std::strlen(name));

  HFILE container = OpenOrCreateContainer(containerPath);
  if (container == HFILE_ERROR) return 0;
  ContainerHeader header{};
  LONG endOfEntries = 0;
  std::uint8_t* stream = nullptr;
  HGLOBAL memory = nullptr;
  int added = 0;
  if (SeekPastEntries(container, name, header, endOfEntries)) {
    memory = ReadAndCompress(filePath, entry, stream);
  }
  if (memory != nullptr) {
    added = WriteEntry(container, endOfEntries, header, entry, stream) ? 1 : 0;
    GlobalUnlock(memory);
    GlobalFree(memory);
  }
  _lclose(container);
  return added;
}
