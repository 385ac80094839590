#pragma once

#include <cstddef>
#include <cstdint>

// The IME's key=value configuration text ("lznetsj.dat").
constexpr std::size_t kKeyValueSize = 251;     // 250 characters and a NUL
constexpr std::size_t kSiteAddressSize = 100;  // 99 characters and a NUL
constexpr std::size_t kConfigTextSize = 1000;

// Copies the value after the first occurrence of `key` (which includes its
// "=") anywhere in the first `length` bytes: bytes above 32 (GBK included),
// at most 250 of them. The output is empty when the key does not occur.
void FindKeyValue(const std::uint8_t* text, std::size_t length, const char* key,
                  char (&value)[kKeyValueSize]);

// Copies a value into an address buffer: at most 99 bytes, never ending in
// the middle of a double-byte (GBK or Big5) character, whose lead byte is
// 0x81 to 0xFE.
void CopySiteAddress(const char* value, char (&address)[kSiteAddressSize]);

// The two addresses of an "lznetsj.dat" of `length` bytes, as the address
// page shows them: the values of "LZNETURL1=" and "LZNETURL2=" within its
// first 1000 bytes, each fitted into an address buffer.
void SiteAddressesOfText(const std::uint8_t* bytes, std::size_t length,
                         char (&first)[kSiteAddressSize], char (&second)[kSiteAddressSize]);

// The nine CR LF-ended lines of "lznetsj.dat": the two site addresses, then
// the seven fixed settings. Returns the text's length (no terminator counted).
std::size_t BuildSiteAddressText(const char* organisationSite, const char* governmentSite,
                                 char (&text)[kConfigTextSize]);
