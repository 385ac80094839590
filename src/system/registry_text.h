#pragma once

#include <windows.h>

#include <cstddef>

// Narrow registry strings of the installer.

// Reads value `name` (null: the default value), at most `size` bytes, into
// `out` and NUL-terminates it there. Returns 0 and leaves `out` untouched
// when the value is missing or longer.
int ReadRegistryText(HKEY key, const char* name, char* out, std::size_t size);
// REG_SZ whose data length is the text's length without its NUL.
void WriteRegistryText(HKEY key, const char* name, const char* text);
