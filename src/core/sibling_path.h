#pragma once

#include <cstddef>

// A file that is rewritten is first written whole under a sibling name in
// its own directory, then moved over it: the sibling is the file's path
// followed by "~".

// Writes the sibling's path into `out` (`size` bytes). False, with `out`
// empty, when it does not fit: a sibling cut by the buffer could name the
// file itself.
bool SiblingPath(const char* path, char* out, std::size_t size);
