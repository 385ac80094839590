#pragma once

#include <windows.h>
#include <imm.h>

// The few platform facts that the program's tests must vary and a test
// machine cannot: a drive's type, a message box answered without a person,
// an input-method manager that refuses a module, a Windows of the 9x family,
// and the IME layouts, descriptions and activation of the try-it page.
// Everything holds the real Win32 function by default; only tests ever
// replace an entry.
struct PlatformSeams {
  UINT(WINAPI* GetDriveTypeA)(LPCSTR root);
  int(WINAPI* MessageBoxA)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
  int(WINAPI* MessageBoxW)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
  HKL(WINAPI* ImmInstallIMEW)(LPCWSTR moduleFile, LPCWSTR layoutText);
  DWORD(WINAPI* GetVersion)();
  int(WINAPI* GetKeyboardLayoutList)(int size, HKL* layouts);
  UINT(WINAPI* ImmGetDescriptionA)(HKL layout, LPSTR description, UINT size);
  HKL(WINAPI* ActivateKeyboardLayout)(HKL layout, UINT flags);
};

extern PlatformSeams Platform;
