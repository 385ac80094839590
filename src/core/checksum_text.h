#pragma once

#include "core/container_format.h"

#include <cstddef>
#include <cstdint>

constexpr std::size_t kDigestSize = 16;

// The stored form of an MD5 digest: two upper-case hexadecimal characters per
// byte, high nibble first, then two NULs; it fills an entry's checksum field.
void FormatChecksumText(const std::uint8_t (&digest)[kDigestSize],
                        char (&text)[kChecksumTextSize]);
