#include "payload/payload_lookup.h"

#include "core/container_walk.h"
#include "core/entry_stream.h"
#include "shell/payload_memory.h"

#include <cstring>

std::size_t FindPayloadEntry(const char* name) {
  if (WorkBuffer == nullptr) return 0;
  WorkBuffer[kInflatedOffset] = 0;
  WorkBuffer[kInflatedOffset + 1] = 0;
  ContainerWalk walk = StartWalk(Payload, PayloadSize);
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    if (std::strcmp(entry.name, name) != 0) continue;
    // A damaged stream leaves bytes in the buffer but counts none of them.
    std::size_t inflated = 0;
    if (entry.streamLength == 0) return 0;
    const bool whole = InflateEntry(entry.stream, entry.streamLength, WorkBuffer + kInflatedOffset,
                                    kWorkBufferSize - kInflatedOffset, inflated);
    return whole ? inflated : 0;
  }
  return 0;
}
