#pragma once

#include <cstddef>

#include "core/narrow_path.h"

// Narrow texts of the installer are GBK bytes (Big5 where the text is
// traditional Chinese) whatever the system's ANSI code page. They are kept as
// wide literals and converted here. The result is always NUL-terminated.
constexpr unsigned kGbkCodePage = 936;
constexpr unsigned kBig5CodePage = 950;
void ToNarrow(const wchar_t* text, unsigned codePage, char* out, std::size_t outSize);

// The lead bytes of the ANSI code page, in which Windows reads narrow paths.
LeadBytes AnsiLeadBytes();
