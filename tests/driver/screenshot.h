#pragma once

#include <windows.h>

#include <string>

// Screenshots as a user sees the screen: what lies on top (a message box, a
// dialog) is in the picture too. Written as PNG to a path of the prefix.
bool SaveScreenPng(const RECT& area, const std::string& path);
bool SaveWindowPng(HWND window, const std::string& path);
