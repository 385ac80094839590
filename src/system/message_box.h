#pragma once

#include <windows.h>

// Every message the installer shows goes through these two: no owner window,
// the caption given, and the buttons of `type`. They return the button pressed.
int ShowMessageW(const wchar_t* text, const wchar_t* caption, UINT type);
int ShowMessageA(const char* text, const char* caption, UINT type);

// A narrow message in GBK whatever the system's code page: `text` and
// `caption` are converted, and `filling` (narrow bytes, a file name or path)
// takes the place of the one "%s" in `text` when it is given.
int ShowGbkMessage(const wchar_t* text, const char* filling, const wchar_t* caption, UINT type);
