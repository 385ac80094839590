#pragma once

#include <windows.h>

// Every message the installer shows goes through these two: no owner window,
// the caption given, and the buttons of `type`. They return the button pressed.
int ShowMessageW(const wchar_t* text, const wchar_t* caption, UINT type);
int ShowMessageA(const char* text, const char* caption, UINT type);
