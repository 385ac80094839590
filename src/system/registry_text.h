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

// Removing what the installation wrote. `view` is 0 or a KEY_WOW64_ flag of
// RegistryViews. Each returns true when the key or value is not there
// afterwards (also when it never was), false when it stays.
bool DeleteRegistryValue(HKEY root, const char* path, const char* name, REGSAM view);
// A key without subkeys.
bool DeleteRegistryKey(HKEY root, const char* path, REGSAM view);
// Whether the key is there; one that exists but cannot be read counts too.
bool RegistryKeyExists(HKEY root, const char* path, REGSAM view);
