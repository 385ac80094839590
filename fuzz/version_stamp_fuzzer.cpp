// Any bytes as a module: the stamp changes nothing but the digits of a
// version after the product name (6 to 7, 7 to 3), at most two per change
// it counts, and stamping again changes nothing.

#include "core/version_stamp.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  const int changed = StampVersionText(bytes.data(), bytes.size());
  std::size_t differing = 0;
  for (std::size_t at = 0; at < size; ++at) {
    if (bytes[at] == data[at]) continue;
    ++differing;
    const bool raised = (data[at] == '6' && bytes[at] == '7') || (data[at] == '7' && bytes[at] == '3');
    if (!raised) std::abort();
  }
  if (differing > 2 * static_cast<std::size_t>(changed)) std::abort();
  const std::vector<std::uint8_t> once = bytes;
  if (StampVersionText(bytes.data(), bytes.size()) != 0 || bytes != once) std::abort();
  return 0;
}
