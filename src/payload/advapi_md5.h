#pragma once

#include "core/checksum_text.h"

#include <windows.h>

// advapi32's exported MD5, found at run time. The context is the platform's
// layout: bit counters, state, input block, then the digest MD5Final fills.
struct Md5Context {
  ULONG bitCount[2];
  ULONG state[4];
  unsigned char block[64];
  unsigned char digest[kDigestSize];
};

struct Md5Functions {
  void(WINAPI* init)(Md5Context*);
  void(WINAPI* update)(Md5Context*, const unsigned char*, unsigned int);
  void(WINAPI* finish)(Md5Context*);
};

// Looks the three functions up in the loaded advapi32; false when one is
// missing.
bool FindMd5Functions(HMODULE advapi, Md5Functions& md5);

// The checksum text of `length` bytes with functions already found.
void Md5TextWith(const Md5Functions& md5, const void* bytes, std::size_t length,
                 char (&out)[kChecksumTextSize]);
