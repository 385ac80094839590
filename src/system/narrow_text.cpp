#include "system/narrow_text.h"

#include <windows.h>

void ToNarrow(const wchar_t* text, unsigned codePage, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  const int written = WideCharToMultiByte(codePage, 0, text, -1, out, static_cast<int>(outSize),
                                          nullptr, nullptr);
  if (written <= 0) out[0] = '\0';
  out[outSize - 1] = '\0';
}

LeadBytes AnsiLeadBytes() {
  LeadBytes leads{};
  for (int value = 0; value < 256; ++value) {
    leads.lead[value] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(value)) != FALSE;
  }
  return leads;
}
