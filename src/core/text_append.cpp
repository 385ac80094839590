#include "core/text_append.h"

#include <cstring>

void AppendWhole(char* text, std::size_t size, const char* piece) {
  const std::size_t used = strnlen(text, size);
  const std::size_t length = std::strlen(piece);
  if (used + length >= size) return;
  std::memcpy(text + used, piece, length + 1);
}
