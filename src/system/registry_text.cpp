#include "system/registry_text.h"

#include <cstring>

namespace {

// Longer than any text the installer reads from the registry.
constexpr std::size_t kLongestRead = 256;

}  // namespace

int ReadRegistryText(HKEY key, const char* name, char* out, std::size_t size) {
  if (size == 0) return 0;
  if (size > kLongestRead) size = kLongestRead;
  // Read aside first: a failed read may have scribbled over the buffer.
  char buffer[kLongestRead];
  DWORD got = static_cast<DWORD>(size);
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &got) !=
      ERROR_SUCCESS) {
    return 0;
  }
  if (got >= size) got = static_cast<DWORD>(size - 1);
  std::memcpy(out, buffer, got);
  out[got] = '\0';
  return 1;
}

void WriteRegistryText(HKEY key, const char* name, const char* text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(std::strlen(text)));
}
