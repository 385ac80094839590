#pragma once

#include <cstddef>

// Narrow paths are in the ANSI code page. GBK and Big5 use 0x5C, the
// backslash, as the second byte of some characters, so a path is split and
// ended by characters, never by bytes.

// Which bytes begin a double-byte character in that code page.
struct LeadBytes {
  bool lead[256];
};

// The bytes of the character at `at`: two for a lead byte followed by another
// byte, else one.
std::size_t CharLength(const char* at, const LeadBytes& leads);

// The last backslash of a path that is a character of its own, not the second
// byte of a double-byte one; nullptr when there is none.
const char* LastBackslash(const char* path, const LeadBytes& leads);
