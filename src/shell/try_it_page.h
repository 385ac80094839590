#pragma once

#include <windows.h>

// Pages 8 and 9: the user types a name with the new IME into the name line.
// Every paint makes the IME the active layout of the installer again.
void PaintTryItPage(HDC dc);

// Finds this IME's layout by its description (unless ImeLayoutHandle already
// holds it) and activates it for the whole process. Does nothing before
// page 7 or when the IME is already the active layout.
void ActivateTryItLayout();
