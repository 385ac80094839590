// Any bytes as "lznetsj.dat": each address the page shows must fit its
// buffer and be its key's value, whole when that fits, else cut by at most
// the one byte that would split a double-byte character.

#include "core/key_value.h"

#include <cstdlib>
#include <cstring>

static void CheckAddress(const std::uint8_t* data, std::size_t size, const char* key,
                         const char (&address)[kSiteAddressSize]) {
  const void* end = std::memchr(address, '\0', sizeof address);
  if (end == nullptr) std::abort();
  const std::size_t length = static_cast<const char*>(end) - address;
  char value[kKeyValueSize];
  FindKeyValue(data, size < kConfigTextSize ? size : kConfigTextSize, key, value);
  const std::size_t valueLength = std::strlen(value);
  if (std::strncmp(address, value, length) != 0) std::abort();
  if (valueLength < kSiteAddressSize ? length != valueLength : length + 2 < kSiteAddressSize) {
    std::abort();
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  char first[kSiteAddressSize];
  char second[kSiteAddressSize];
  std::memset(first, 'x', sizeof first);
  std::memset(second, 'x', sizeof second);
  SiteAddressesOfText(data, size, first, second);
  CheckAddress(data, size, "LZNETURL1=", first);
  CheckAddress(data, size, "LZNETURL2=", second);
  return 0;
}
