// Any bytes as a container: the walk must stay inside them, and every entry
// it yields must inflate or fail within the capacity it is given.

#include "core/container_walk.h"
#include "core/entry_stream.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Small enough to keep the fuzzer fast; the 2 MiB limit is the unit tests'.
  static std::vector<std::uint8_t> work(64 * 1024);
  ContainerWalk walk = StartWalk(data, size);
  ContainerEntry entry{};
  std::size_t previousEnd = kContainerHeaderSize;
  while (NextEntry(walk, entry)) {
    const std::uint8_t* end = entry.stream + entry.streamLength;
    if (entry.stream < data || end > data + size) std::abort();
    if (entry.headerOffset != previousEnd) std::abort();
    if (std::strlen(entry.name) > kEntryNameField) std::abort();
    if (std::strlen(entry.checksum) > kChecksumTextSize) std::abort();
    previousEnd = static_cast<std::size_t>(end - data);
    std::size_t length = 0;
    if (InflateEntry(entry.stream, entry.streamLength, work.data(), work.size(), length) &&
        length > work.size()) {
      std::abort();
    }
  }
  if (walk.walked > walk.entryCount) std::abort();
  if (!walk.endedEarly && walk.walked != walk.entryCount) std::abort();
  return 0;
}
