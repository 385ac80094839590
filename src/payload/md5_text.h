#pragma once

#include "core/container_format.h"

#include <cstddef>

// The checksum text of `length` bytes, MD5 taken from advapi32. `out` is left
// an empty string when advapi32 or one of its MD5 functions cannot be had.
void Md5Text(const void* bytes, std::size_t length, char (&out)[kChecksumTextSize]);

// The checksum text of the whole file at `path`. Returns the number of bytes
// read: 0, with `out` empty, when the file cannot be opened or no memory can
// be had for it.
unsigned long FileMd5Text(const char* path, char (&out)[kChecksumTextSize]);
