#pragma once

// What extracting a container would write where. Containers come from places
// others can write (the user-data backup), so an entry name that could reach
// outside the target directory is never written anywhere.

#include "core/container_walk.h"

#include <cstddef>

// Windows' MAX_PATH: the installer builds its paths in buffers of this size.
constexpr std::size_t kTargetPathSize = 260;

// False for "", ".", ".." and any name holding "\", "/" or ":", and for a
// device name (CON, NUL, COM1, LPT1, ... with any extension). Tested byte by
// byte: the code page that will read the name is not known here, so a GBK
// trail byte 0x5C counts as a backslash too.
bool IsPlainFileName(const char* name);

// A plain file name that was stored with its NUL.
bool EntryMayBeWritten(const ContainerEntry& entry);

// The target path: `dir` (ending in its separator) directly followed by the
// entry's name. False, with an empty target, when the entry must not be
// written or the path does not fit.
bool EntryTargetPath(const char* dir, const ContainerEntry& entry,
                     char (&target)[kTargetPathSize]);
