#pragma once

// Appending one entry to a container file: the one writer of setup.exe (the
// user-data backup) and lzz (the payload, skin containers), over the few file
// operations each has.

#include <cstddef>
#include <cstdint>

#include "core/container_format.h"

// The container file as the writer needs it; each call returns false when it
// fails. `context` is the caller's open file.
struct ContainerFile {
  void* context;
  bool (*size)(void* context, std::uint32_t* size);
  bool (*read)(void* context, std::uint32_t offset, void* out, std::size_t length);
  bool (*write)(void* context, std::uint32_t offset, const void* bytes, std::size_t length);
  // Cuts the file to `length` bytes.
  bool (*cut)(void* context, std::uint32_t length);
};

// The new entry: its name (at most 12 bytes, a plain file name), the checksum
// text of its content (checksummed format only) and its zlib stream.
struct NewEntry {
  const char* name;
  const char* checksum;
  const std::uint8_t* stream;
  std::uint32_t streamLength;
};

enum class AppendResult {
  kAdded,
  kNoContainer,   // too short for a header
  kOtherFormat,   // a container of the other format
  kDamaged,       // an entry header or stream runs past the end, or a bad tag
  kDuplicate,     // an entry of that name is there already
  kWriteFailed,   // nothing was added; the file is as it was
};

// Writes the header of a container without entries into an empty file.
bool WriteEmptyContainer(const ContainerFile& file, ContainerFormat format);

// Checks every stored entry (never reading past the file's end), refuses a
// duplicate name, writes the entry after the last one and then the header
// that counts it. A write that fails cuts the file back to its old length:
// the old entries and header stay as they were. `walked` gets the number of
// entries checked.
AppendResult AppendEntry(const ContainerFile& file, ContainerFormat format, const NewEntry& entry,
                         std::uint32_t* walked);
