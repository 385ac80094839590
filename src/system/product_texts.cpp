#include "system/product_texts.h"

#include <cstring>

#include "system/narrow_text.h"

bool StartsWithProductName(const char* text, bool traditional) {
  // Eight characters of two bytes each.
  constexpr std::size_t kProductNameBytes = 16;
  char name[kProductNameBytes + 1];
  ToNarrow(traditional ? kProductNameTraditional : kProductName,
           traditional ? kBig5CodePage : kGbkCodePage, name, sizeof name);
  return std::memcmp(text, name, kProductNameBytes) == 0;
}
