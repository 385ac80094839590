#include "core/extraction_plan.h"

#include <cstring>

bool IsPlainFileName(const char* name) {
  if (name[0] == '\0') return false;
  if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
  return std::strpbrk(name, "\\/:") == nullptr;
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
