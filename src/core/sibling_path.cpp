#include "core/sibling_path.h"

#include <cstring>

bool SiblingPath(const char* path, char* out, std::size_t size) {
  if (size == 0) return false;
  out[0] = '\0';
  const std::size_t length = std::strlen(path);
  if (length == 0 || length + 2 > size) return false;
  std::memcpy(out, path, length);
  out[length] = '~';
  out[length + 1] = '\0';
  return true;
}
