#include "system/seams.h"

PlatformSeams Platform = {
    ::GetDriveTypeA, ::MessageBoxA, ::MessageBoxW, ::ImmInstallIMEW, ::GetVersion, ::WinExec,
    ::GetKeyboardLayoutList, ::ImmGetDescriptionA, ::ActivateKeyboardLayout,
};
