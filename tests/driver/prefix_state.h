#pragma once

#include <set>
#include <string>
#include <vector>

// What a prefix holds that an installation may change, one line per item:
// every file (with its size) and folder of drive C, every registry value
// under HKLM\Software (both views), the keyboard layouts, the session
// manager's key and every user profile. Taken before and after a run, it
// shows what the run left behind.
using PrefixState = std::set<std::string>;
PrefixState CapturePrefixState();
// The files Windows deletes at its next start (PendingFileRenameOperations).
std::vector<std::string> PendingDeletions();
// The state as the next start of Windows leaves it: those files deleted, the
// list itself gone, and a folder with them when nothing else is left in it.
PrefixState AfterRestart(PrefixState state);
// "+ line" for what `after` holds and `before` does not, "- line" for the reverse.
std::vector<std::string> Changes(const PrefixState& before, const PrefixState& after);
