#pragma once

#include <windows.h>

// Window-wide values, created with the main window and gone with it.
extern HWND MainWindow;
extern HWND PathLine;
extern HWND SiteLine1;
extern HWND SiteLine2;
extern HFONT TextFont;
extern HFONT TitleFont;
extern HBRUSH ProgressBrush;
// Painted buttons and frames; the click test includes all four edges.
extern RECT ConfirmButtonRect;
extern RECT ExitButtonRect;
extern RECT SiteLine1FrameRect;
extern RECT PathLineFrameRect;
// Read as x, y, width, height.
extern RECT ProgressBarRect;

bool RegisterWizardClass(HINSTANCE instance);
bool CreateWizardWindow(HINSTANCE instance, int showCommand);
