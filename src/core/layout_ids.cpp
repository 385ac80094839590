#include "core/layout_ids.h"

#include <cstdio>
#include <cstring>

namespace {

const char* LanguageDigits(bool traditional) { return traditional ? "404" : "804"; }

char Folded(char c, bool upperCase) {
  if (upperCase && c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
  if (!upperCase && c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
  return c;
}

// Key names compare without regard to the case of their letters.
bool IsPresent(const std::vector<std::string>& present, const char* id) {
  for (const std::string& name : present) {
    if (name.size() != std::strlen(id)) continue;
    std::size_t at = 0;
    while (at < name.size() && Folded(name[at], true) == id[at]) ++at;
    if (at == name.size()) return true;
  }
  return false;
}

}  // namespace

bool NextLayoutId(std::uint32_t largest, bool traditional, const std::vector<std::string>& present,
                  char (&id)[kLayoutIdSize]) {
  const std::uint32_t language = traditional ? 0x404u : 0x804u;
  const std::uint32_t floor = 0xE0000000u | language;
  std::uint64_t next = largest > floor ? largest : floor;
  for (next += 0x10000u; next <= 0xFFFFFFFFu; next += 0x10000u) {
    const std::uint32_t number = (static_cast<std::uint32_t>(next) & ~0xFFFu) | language;
    std::snprintf(id, sizeof id, "%08lX", static_cast<unsigned long>(number));
    if (!IsPresent(present, id)) return true;
  }
  id[0] = '\0';
  return false;
}

bool HasLayoutLanguage(const char* id, bool traditional) {
  const std::size_t length = std::strlen(id);
  return length >= 3 && std::strcmp(id + length - 3, LanguageDigits(traditional)) == 0;
}

void SetLayoutLanguage(char* id, bool traditional) {
  const std::size_t length = std::strlen(id);
  if (length >= 3) std::memcpy(id + length - 3, LanguageDigits(traditional), 3);
}

PreloadMatch ComparePreloadId(const char* stored, const char* id, bool upperCase) {
  const std::size_t length = std::strlen(id);
  for (std::size_t i = 0; i < length; ++i) {
    if (Folded(stored[i], upperCase) == id[i]) continue;
    return i + 3 >= length ? PreloadMatch::kSameNumberOtherLanguage : PreloadMatch::kOther;
  }
  return PreloadMatch::kSame;
}

void FoldLayoutId(char* id, bool upperCase) {
  for (; *id != '\0'; ++id) *id = Folded(*id, upperCase);
}

void PromoteToSecondPlace(char (*ids)[kLayoutIdSize], int count, int position) {
  if (position < 3 || position > count) return;
  char moving[kLayoutIdSize];
  std::memcpy(moving, ids[position - 1], sizeof moving);
  for (int place = position; place > 2; --place) {
    std::memcpy(ids[place - 1], ids[place - 2], kLayoutIdSize);
  }
  std::memcpy(ids[1], moving, sizeof moving);
}
