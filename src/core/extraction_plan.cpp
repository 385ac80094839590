#include "core/extraction_plan.h"

#include <cstring>
#include <initializer_list>

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows opens a device instead of a file of the directory for these names,
// whatever extension or trailing blanks follow them.
bool IsDeviceName(const char* name) {
  char stem[8] = {};
  std::size_t length = 0;
  while (name[length] != '\0' && name[length] != '.') {
    if (length == sizeof stem - 1) return false;
    stem[length] = Upper(name[length]);
    ++length;
  }
  while (length > 0 && stem[length - 1] == ' ') stem[--length] = '\0';
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (std::strcmp(stem, device) == 0) return true;
  }
  return length == 4 && (std::strncmp(stem, "COM", 3) == 0 || std::strncmp(stem, "LPT", 3) == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool IsPlainFileName(const char* name) {
  if (name[0] == '\0') return false;
  if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
  return std::strpbrk(name, "\\/:") == nullptr && !IsDeviceName(name);
}

bool EntryMayBeWritten(const ContainerEntry& entry) {
  return entry.nameTerminated && IsPlainFileName(entry.name);
}

bool EntryTargetPath(const char* dir, const ContainerEntry& entry,
                     char (&target)[kTargetPathSize]) {
  target[0] = '\0';
  if (!EntryMayBeWritten(entry)) return false;
  const std::size_t dirLength = strnlen(dir, kTargetPathSize);
  const std::size_t nameLength = std::strlen(entry.name);
  if (dirLength + nameLength >= kTargetPathSize) return false;
  std::memcpy(target, dir, dirLength);
  std::memcpy(target + dirLength, entry.name, nameLength + 1);
  return true;
}
