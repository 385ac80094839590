#pragma once

#include <cstddef>

// Writes every entry of the container (`length` bytes in memory) into
// InstallDir, replacing files of the same name. The work area holds the
// current entry's name at its start and the inflated file from byte 100 on.
// Each entry that cannot be inflated, checked or written is named in a
// message box and leaves nothing written under its name; the walk goes on.
// Returns 1 when every entry the header counts was written, else 0 (a bad
// tag ends the walk without a message).
int ExtractContainer(const unsigned char* container, std::size_t length, unsigned char* work,
                     std::size_t workSize);
