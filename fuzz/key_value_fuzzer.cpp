// Any bytes as a key=value text, and any key: the value must stay inside the
// text and its 251-byte output, hold only bytes above 32 and follow the key
// where the text holds them.

#include "core/key_value.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte gives the key's length, the key follows, then the text.
  const std::size_t keyLength = std::min<std::size_t>(data[0] % 16, size - 1);
  const std::string key(reinterpret_cast<const char*>(data + 1), keyLength);
  const std::uint8_t* text = data + 1 + keyLength;
  const std::size_t length = size - 1 - keyLength;

  char value[kKeyValueSize];
  std::memset(value, 'x', sizeof value);
  FindKeyValue(text, length, key.c_str(), value);
  const void* end = std::memchr(value, '\0', sizeof value);
  if (end == nullptr) std::abort();
  const std::size_t valueLength = static_cast<const char*>(end) - value;
  for (std::size_t at = 0; at < valueLength; ++at) {
    if (static_cast<unsigned char>(value[at]) <= 32) std::abort();
  }
  if (valueLength == 0) return 0;
  const std::string found = key.c_str() + std::string(value);
  const std::string whole(reinterpret_cast<const char*>(text), length);
  if (whole.find(found) == std::string::npos) std::abort();
  return 0;
}
