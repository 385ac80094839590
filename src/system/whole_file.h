#pragma once

#include <cstddef>

// Writes the file at `path` with `length` bytes, whole or not at all. A new
// file is created in place and removed again when a write falls short; an
// existing one is replaced by a sibling file that got every byte. True when
// the file now holds exactly these bytes; false when it was left as it was.
bool WriteFileWhole(const char* path, const void* bytes, std::size_t length);
