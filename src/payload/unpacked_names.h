#pragma once

#include <cstddef>

// The names of the files that unpacking puts into the installation directory:
// every entry of the payload and every entry of its skin containers. The build
// writes them from its own lists (payload/entries.txt, payload/skin_parts.txt);
// a name is narrowed to GBK (ToNarrow) as the containers store it.
extern const wchar_t* const kUnpackedNames[];
extern const std::size_t kUnpackedNameCount;
