#include "system/seams.h"

PlatformSeams Platform = {
    ::GetDriveTypeA, ::MessageBoxA, ::MessageBoxW, ::ImmInstallIMEW, ::GetVersion,
    ::GetKeyboardLayoutList, ::ImmGetDescriptionA, ::ActivateKeyboardLayout,
};
