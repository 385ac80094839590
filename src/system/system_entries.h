#pragma once

#include <windows.h>

// The installer's entries in the system's registry outside the keyboard
// layouts. Each opens its parent key for reading, creates or opens its own
// key and returns silently when either fails; those that say so return
// whether their values were written.

// Uninstall entry "lanzqwb": display name by edition, uninstaller in the
// system directory (wide values).
bool WriteUninstallEntry();
// Start-up entry "lzlzsjgl" under Run, set to `commandLine`.
void WriteRunValue(const char* commandLine);
// The browser user-agent token "lzsr7300", after removing the tokens of
// every earlier version.
bool WriteUserAgentToken();

// Taking them back, in one registry view (0 or a KEY_WOW64_ flag). Each
// returns false when something of this product stays.
bool UninstallEntryExists(REGSAM view);
bool RemoveUninstallEntry(REGSAM view);
// The start-up entry "lzlzsjgl" and every browser token of this product, and
// the tokens' key "Post Platform" when nothing else is left in it.
bool RemoveRunValueAndTokens(REGSAM view);
