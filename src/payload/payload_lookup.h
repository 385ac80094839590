#pragma once

#include <windows.h>

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

// Opens InstallDir + `name` for reading and returns the handle when the file
// holds exactly the payload entry's bytes, checked against the entry's stored
// checksum and stamped with this version as the first file pass stamps them.
// The handle shares the file with readers only: while it is open nobody can
// write, delete or rename the file. INVALID_HANDLE_VALUE when the file
// differs, is a link or cannot be opened. Uses WorkBuffer.
HANDLE OpenAsShipped(const char* name);
