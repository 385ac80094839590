#pragma once

#include <windows.h>

// True while a click is handled, the whole installation included. The
// installation's message boxes and skin dialog leave the window enabled, and
// a click or a close then would run a second step under the first or free
// the payload and the work buffer that the installation still uses: the
// window ignores both while this is set.
extern bool WizardBusy;

// WM_LBUTTONDOWN and WM_RBUTTONDOWN alike: the painted button under the
// click acts for the current page.
void HandleClick(WPARAM wParam, LPARAM lParam);

// Timer 2, 1600 ms after the installation on 64-bit Windows: the try-it page.
void ShowTryItPage();

// The painter of the current page.
void PaintCurrentPage(HDC dc);
