#pragma once

#include "system/state.h"

// Payload, PayloadSize and WorkBuffer belong to the window (or to the silent
// run) from acquisition to release.
void AcquirePayloadMemory();
void ReleasePayloadMemory();

// True when both the payload and the work buffer are there; otherwise tells
// the user why nothing can be installed.
bool PayloadMemoryReady();
