#pragma once

#include "system/state.h"

// The dialog's results go to WindowMode and SkinChoice; both are 1 when
// nothing was selected.

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

// Runs the dialog modally over `owner`, the wizard window, from "PYKEYB"
// under code page 950 and "PYKEY" otherwise, after setting WindowMode and
// SkinChoice to 1.
void RunSkinDialog(HWND owner);
