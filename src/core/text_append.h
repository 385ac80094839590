#pragma once

#include <cstddef>

// Appends `piece` to the NUL-terminated `text` of a `size`-byte buffer whole,
// or not at all when it does not fit with its NUL: a report never ends in
// half a name or half a GBK character.
void AppendWhole(char* text, std::size_t size, const char* piece);
