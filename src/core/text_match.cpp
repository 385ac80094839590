#include "core/text_match.h"

static bool FoldedMatch(unsigned char textChar, unsigned char patternChar) {
  if (textChar == patternChar) return true;
  return textChar >= 'A' && textChar <= 'Z' && patternChar == textChar + 32;
}

const char* FindNoCase(const char* text, const char* pattern) {
  for (const char* start = text; *start != '\0'; ++start) {
    const char* t = start;
    const char* p = pattern;
    while (*p != '\0' && *t != '\0' &&
           FoldedMatch(static_cast<unsigned char>(*t), static_cast<unsigned char>(*p))) {
      ++t;
      ++p;
    }
    if (*p == '\0') return start;
  }
  return nullptr;
}

int ContainsNoCase(const char* text, const char* pattern) {
  return FindNoCase(text, pattern) != nullptr ? 1 : 0;
}
