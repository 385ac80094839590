#pragma once

#include "core/container_format.h"

#include <cstddef>
#include <cstdint>

// The checksum text of `length` bytes. The one place that knows where MD5
// comes from: libmd here; a native Windows build would take advapi32's
// MD5Init/MD5Update/MD5Final like the installer does.
void Md5Text(const std::uint8_t* data, std::size_t length, char (&text)[kChecksumTextSize]);
