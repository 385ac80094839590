#include "system/message_box.h"

#include "system/seams.h"

int ShowMessageW(const wchar_t* text, const wchar_t* caption, UINT type) {
  return Platform.MessageBoxW(nullptr, text, caption, type);
}

int ShowMessageA(const char* text, const char* caption, UINT type) {
  return Platform.MessageBoxA(nullptr, text, caption, type);
}
