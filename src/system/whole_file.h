#pragma once

#include <cstddef>

// Rewrites the file at `path` with `length` bytes, whole or not at all: the
// bytes go to a sibling file first, every write checked, which then replaces
// the file. True when the file now holds exactly these bytes; false when it
// was left as it was.
bool WriteFileWhole(const char* path, const void* bytes, std::size_t length);
