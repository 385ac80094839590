#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Runs of the uninstaller, answered as a user answers them. The demo and the
// end-to-end tests share them.

// Wine's "uninstaller", the list of installed programs from which a user
// starts an uninstallation: "--list" prints it, "--remove lanzqwb" runs the
// entry's "UninstallString". On 64-bit Windows the 64-bit one.
std::wstring WineUninstaller();

// What "uninstaller --list" prints: one line per installed program.
std::wstring ListedPrograms();

// What a run met and how it ended.
struct UninstallRecord {
  std::vector<std::wstring> messages;  // texts of the uninstaller's boxes, in order
  DWORD exitCode = STILL_ACTIVE;       // of `program`
};

// Starts `program` with `arguments` and answers the uninstaller's boxes until
// it ends: Yes to uninstalling, `dataAnswer` to removing the user's data
// (IDYES removes them), OK to the ending.
UninstallRecord RunUninstaller(const std::wstring& program, const std::wstring& arguments,
                               int dataAnswer);
