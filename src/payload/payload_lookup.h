#pragma once

// Where an inflated entry starts in the work buffer; the bytes before it hold
// the entry's name while a container is extracted.
constexpr unsigned kInflatedOffset = 100;

// Looks the payload entry `name` up (byte for byte, case matters) and inflates
// it into WorkBuffer at kInflatedOffset. No checksum is tested and no length
// reported: bytes 100 and 101 of WorkBuffer are zero when nothing was found
// (or there is no payload).
void FindPayloadEntry(const char* name);
