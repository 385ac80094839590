#include "core/key_value.h"

#include <cstdio>
#include <cstring>

void FindKeyValue(const std::uint8_t* text, std::size_t length, const char* key,
                  char (&value)[kKeyValueSize]) {
  value[0] = '\0';
  const std::size_t keyLength = std::strlen(key);
  if (keyLength == 0 || length < keyLength) return;
  for (std::size_t start = 0; start + keyLength <= length; ++start) {
    if (std::memcmp(text + start, key, keyLength) != 0) continue;
    std::size_t copied = 0;
    for (std::size_t at = start + keyLength; at < length && copied < kKeyValueSize - 1; ++at) {
      if (text[at] <= 32) break;
      value[copied++] = static_cast<char>(text[at]);
    }
    value[copied] = '\0';
    return;
  }
}

void CopySiteAddress(const char* value, char (&address)[kSiteAddressSize]) {
  std::size_t length = 0;
  while (value[length] != '\0') {
    const unsigned char byte = static_cast<unsigned char>(value[length]);
    const bool doubleByte = byte >= 0x81 && byte <= 0xFE && value[length + 1] != '\0';
    const std::size_t width = doubleByte ? 2 : 1;
    if (length + width > kSiteAddressSize - 1) break;
    length += width;
  }
  std::memcpy(address, value, length);
  address[length] = '\0';
}

void SiteAddressesOfText(const std::uint8_t* bytes, std::size_t length,
                         char (&first)[kSiteAddressSize], char (&second)[kSiteAddressSize]) {
  const std::size_t read = length < kConfigTextSize ? length : kConfigTextSize;
  char value[kKeyValueSize];
  FindKeyValue(bytes, read, "LZNETURL1=", value);
  CopySiteAddress(value, first);
  FindKeyValue(bytes, read, "LZNETURL2=", value);
  CopySiteAddress(value, second);
}

std::size_t BuildSiteAddressText(const char* organisationSite, const char* governmentSite,
                                 char (&text)[kConfigTextSize]) {
  const int length = std::snprintf(
      text, sizeof text,
      "LZNETURL1=%.99s\r\nLZNETURL2=%.99s\r\nLZNETTIME=1\r\nLZBJTIME=7\r\nLZWYTIME=3\r\n"
      "LZSJOFF=0\r\nLZNETTIME0=0\r\nLZBJTIME0=0\r\nLZNEONE=1\r\n",
      organisationSite, governmentSite);
  return length < 0 ? 0 : static_cast<std::size_t>(length);
}
