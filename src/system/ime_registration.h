#pragma once

#include "system/state.h"

// Installs "lanzhu4.ime" of the system directory through the input-method
// manager; true when a handle came back.
int InstallIme();
// The registry's way when the input-method manager refused: writes or reuses
// this IME's keyboard-layout entry and appends its id to the preload list.
// Reports its own failures.
void WriteImeLayoutKey();
// InstallIme, and WriteImeLayoutKey when that failed.
void RegisterIme();

// The layout the try-it page activates: ImeLayoutHandle, or when the last
// registration gave none, the first installed layout (of at most 50) whose
// description starts with the product's name in GBK, kept in ImeLayoutHandle.
// Null when there is none.
HKL FindTryItLayout();
