#pragma once

#include <windows.h>

// The few platform facts a test must vary and Wine cannot (a drive's type, a
// message box answered without a person). Everything holds the real Win32
// function by default; only tests ever replace an entry.
struct PlatformSeams {
  UINT(WINAPI* GetDriveTypeA)(LPCSTR root);
  int(WINAPI* MessageBoxA)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
  int(WINAPI* MessageBoxW)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
};

extern PlatformSeams Platform;
