#include "payload/payload_lookup.h"

#include "core/container_walk.h"
#include "core/entry_stream.h"
#include "shell/payload_memory.h"

#include <cstring>

void FindPayloadEntry(const char* name) {
  if (WorkBuffer == nullptr) return;
  WorkBuffer[kInflatedOffset] = 0;
  WorkBuffer[kInflatedOffset + 1] = 0;
  ContainerWalk walk = StartWalk(Payload, PayloadSize);
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    if (std::strcmp(entry.name, name) != 0) continue;
    if (entry.streamLength != 0) {
      // The caller reads the buffer; what inflation made of it is its business.
      std::size_t inflated = 0;
      InflateEntry(entry.stream, entry.streamLength, WorkBuffer + kInflatedOffset,
                   kWorkBufferSize - kInflatedOffset, inflated);
    }
    return;
  }
}
