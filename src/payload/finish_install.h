#pragma once

#include <windows.h>

// After the installation: checks the installed payload files against their
// checksums, lets the user pick the status-window mode and a skin, unpacks
// that skin and checks its files. Problems are shown; nothing is repaired.
// The dialog opens over `owner`, the wizard window.
void FinishFileInstall(HWND owner);
