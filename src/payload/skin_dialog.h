#pragma once

#include <windows.h>

// The skin and window-mode dialog's results. WindowMode: 1 two-line,
// 2 single-line, 3 dual, 4 Windows-like status window. SkinChoice: 1 to 3,
// the skin container picked. Both are 1 when nothing was selected.
extern int WindowMode;
extern int SkinChoice;

// Control ids of the templates "PYKEY" and "PYKEYB".
enum SkinDialogControl {
  kTwoLineButton = 101,
  kSingleLineButton = 102,
  kOkButton = 105,
  kDualButton = 106,
  kWindowsLikeButton = 107,
  kFirstSkinButton = 110,
  kSecondSkinButton = 111,
  kThirdSkinButton = 112,
};

// The seven radio buttons form one dialog group; this procedure keeps the
// window-mode set and the skin set apart. Only "确定" ends the dialog.
INT_PTR CALLBACK SkinDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally over the main window, from "PYKEYB" under code page
// 950 and "PYKEY" otherwise, after setting WindowMode and SkinChoice to 1.
void RunSkinDialog();
