// Any bytes as a container to extract: every target the plan yields must be
// the directory followed by one plain name, and every refused entry must
// leave no target at all.

#include "core/extraction_plan.h"

#include <cstdlib>
#include <cstring>
#include <string>

static void CheckTarget(const char* dir, const ContainerEntry& entry) {
  char target[kTargetPathSize];
  const bool planned = EntryTargetPath(dir, entry, target);
  if (!planned) {
    if (target[0] != '\0') std::abort();
    return;
  }
  const std::size_t dirLength = std::strlen(dir);
  if (std::strncmp(target, dir, dirLength) != 0) std::abort();
  const char* name = target + dirLength;
  if (std::strcmp(name, entry.name) != 0) std::abort();
  if (!IsPlainFileName(name) || std::strpbrk(name, "\\/:") != nullptr) std::abort();
  if (std::strlen(target) >= kTargetPathSize) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The installer's default directory, and one so long that only short names fit.
  static const std::string kLongDir = "c:\\" + std::string(kTargetPathSize - 10, 'd') + "\\";
  ContainerWalk walk = StartWalk(data, size);
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    CheckTarget("c:\\lanzhu2\\", entry);
    CheckTarget(kLongDir.c_str(), entry);
  }
  return 0;
}
