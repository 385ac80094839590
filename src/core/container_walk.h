#pragma once

// Walking a container in memory, the one reading rule of every reader
// (extraction, verification, payload lookup, lzz). The walk never reads past
// the length it is given: a header or stream that would run beyond it ends
// the walk exactly like a bad tag does.

#include "core/container_format.h"

#include <cstddef>
#include <cstdint>

struct ContainerEntry {
  std::uint32_t index;
  std::size_t headerOffset;
  // The stored name up to its NUL; a field without a NUL is taken whole and
  // nameTerminated is false, so the copy always ends in a NUL.
  char name[kEntryNameField + 1];
  bool nameTerminated;
  // Checksummed format: the stored text up to its first NUL (32 characters
  // when the field is well formed). Plain format: empty.
  char checksum[kChecksumTextSize + 1];
  const std::uint8_t* stream;
  std::uint32_t streamLength;
};

struct ContainerWalk {
  const std::uint8_t* data;
  std::size_t length;
  ContainerFormat format;
  // The header's count; 0 when the container is too short for a header.
  std::uint32_t entryCount;
  std::uint32_t walked;
  std::size_t offset;
  // Set when the walk stopped before entryCount entries: a bad tag, a header
  // or stream past the end, or no header at all.
  bool endedEarly;
};

ContainerWalk StartWalk(const std::uint8_t* data, std::size_t length);

// Fills `entry` with the next entry and returns true, or returns false when
// the walk is over (see endedEarly for why).
bool NextEntry(ContainerWalk& walk, ContainerEntry& entry);
