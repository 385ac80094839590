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

}  // namespace

void NextLayoutId(std::uint32_t largest, bool traditional, char (&id)[kLayoutIdSize]) {
  const std::uint32_t floor = traditional ? 0xE0000404u : 0xE0000804u;
  const std::uint32_t next = (largest > floor ? largest : floor) + 0x10000u;
  std::snprintf(id, sizeof id, "%lX", static_cast<unsigned long>(next));
  if (!HasLayoutLanguage(id, traditional)) SetLayoutLanguage(id, traditional);
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
