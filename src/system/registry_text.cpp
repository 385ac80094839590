#include "system/registry_text.h"

#include <cstring>

namespace {

// Longer than any text the installer reads from the registry.
constexpr std::size_t kLongestRead = 256;

// RegDeleteKeyExA reaches the other registry view; Windows before XP x64 has
// no other view and no such function.
using DeleteKeyInView = LONG(WINAPI*)(HKEY root, LPCSTR path, REGSAM view, DWORD reserved);

LONG DeleteKeyIn(HKEY root, const char* path, REGSAM view) {
  const auto deleteInView = reinterpret_cast<DeleteKeyInView>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
  if (deleteInView == nullptr) return RegDeleteKeyA(root, path);
  return deleteInView(root, path, view, 0);
}

bool ValueExists(HKEY root, const char* path, const char* name, REGSAM view) {
  HKEY key;
  const LONG opened = RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | view, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return false;
  if (opened != ERROR_SUCCESS) return true;
  const LONG queried = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return queried != ERROR_FILE_NOT_FOUND;
}

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

bool DeleteRegistryValue(HKEY root, const char* path, const char* name, REGSAM view) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_SET_VALUE | view, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, name);
    RegCloseKey(key);
  }
  return !ValueExists(root, path, name, view);
}

bool DeleteRegistryKey(HKEY root, const char* path, REGSAM view) {
  DeleteKeyIn(root, path, view);
  return !RegistryKeyExists(root, path, view);
}

bool RegistryKeyExists(HKEY root, const char* path, REGSAM view) {
  HKEY key;
  const LONG opened = RegOpenKeyExA(root, path, 0, KEY_READ | view, &key);
  if (opened == ERROR_SUCCESS) RegCloseKey(key);
  return opened != ERROR_FILE_NOT_FOUND;
}
