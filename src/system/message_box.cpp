#include "system/message_box.h"

#include <cstdio>
#include <cstring>

#include "system/narrow_text.h"
#include "system/seams.h"

int ShowMessageW(const wchar_t* text, const wchar_t* caption, UINT type) {
  return Platform.MessageBoxW(nullptr, text, caption, type);
}

int ShowMessageA(const char* text, const char* caption, UINT type) {
  return Platform.MessageBoxA(nullptr, text, caption, type);
}

int ShowGbkMessage(const wchar_t* text, const char* filling, const wchar_t* caption, UINT type) {
  char format[512];
  ToNarrow(text, kGbkCodePage, format, sizeof format);
  char message[sizeof format + MAX_PATH];
  char* slot = filling != nullptr ? std::strstr(format, "%s") : nullptr;
  if (slot != nullptr) {
    *slot = '\0';
    std::snprintf(message, sizeof message, "%s%s%s", format, filling, slot + 2);
  } else {
    std::snprintf(message, sizeof message, "%s", format);
  }
  char narrowCaption[64];
  ToNarrow(caption, kGbkCodePage, narrowCaption, sizeof narrowCaption);
  return ShowMessageA(message, narrowCaption, type);
}
