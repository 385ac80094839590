#pragma once

#include <cstddef>

// Where an inflated entry starts in the work buffer; the bytes before it hold
// the entry's name while a container is extracted.
constexpr unsigned kInflatedOffset = 100;

// Looks the payload entry `name` up (byte for byte, case matters) and inflates
// it into WorkBuffer at kInflatedOffset. No checksum is tested: bytes 100 and
// 101 of WorkBuffer are zero when nothing was found. Returns the number of
// bytes inflated, 0 when nothing was found, the stream is damaged or there
// is no payload.
std::size_t FindPayloadEntry(const char* name);
