#include "core/narrow_path.h"

std::size_t CharLength(const char* at, const LeadBytes& leads) {
  return leads.lead[static_cast<unsigned char>(at[0])] && at[1] != '\0' ? 2 : 1;
}

const char* LastBackslash(const char* path, const LeadBytes& leads) {
  const char* last = nullptr;
  for (const char* c = path; *c != '\0'; c += CharLength(c, leads)) {
    if (*c == '\\') last = c;
  }
  return last;
}
