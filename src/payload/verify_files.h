#pragma once

#include <cstddef>

// Payload entries that later installation steps delete, rename or rewrite
// after extraction: a checksum mismatch of these is expected. Each name is
// followed by a blank.
inline constexpr char kPayloadUncheckedFiles[] =
    "lanz320.ime lanz321.ime lanz640.ime lanz641.ime lzszsj43.lzh setupw64.exe lanzlzsr.exe "
    "lanzznw6.exe ";

// Compares the files in InstallDir with the entries of the container
// (`length` bytes in memory): checksummed entries by their checksum text,
// unless the name occurs in `exclusions`; plain entries by length only, at
// least the stream's. Returns the number of entries that passed. `report`
// (`reportSize` bytes) gets each failing name followed by "...." and, when
// fewer entries passed than the header counts (or the container is cut
// short), a closing line; a piece that
// would not fit is left out whole.
unsigned VerifyInstalledFiles(const unsigned char* container, std::size_t length, char* report,
                              std::size_t reportSize, const char* exclusions);
