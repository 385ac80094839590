#pragma once

#include <windows.h>

// The keyboard-layout handle of the last ImmInstallIMEW call, null when it
// failed. The try-it page activates it.
extern HKL ImeLayoutHandle;

// Installs "lanzhu4.ime" of the system directory through the input-method
// manager; true when a handle came back.
int InstallIme();
// The registry's way when the input-method manager refused: writes or reuses
// this IME's keyboard-layout entry and appends its id to the preload list.
// Reports its own failures.
void WriteImeLayoutKey();
// InstallIme, and WriteImeLayoutKey when that failed.
void RegisterIme();
