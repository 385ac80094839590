#pragma once

#include <cstddef>

// The payload container, read in place from the locked resource, and the
// 2 MiB work buffer that every inflation, file read and long message uses.
// Both belong to the window (or to the silent run) from acquisition to
// release; either is null when it could not be had.
constexpr std::size_t kWorkBufferSize = 0x200000;

extern const unsigned char* Payload;
extern std::size_t PayloadSize;
extern unsigned char* WorkBuffer;

void AcquirePayloadMemory();
void ReleasePayloadMemory();

// True when both the payload and the work buffer are there; otherwise tells
// the user why nothing can be installed.
bool PayloadMemoryReady();
