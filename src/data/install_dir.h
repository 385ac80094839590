#pragma once

#include "system/state.h"

// A file's path in the installation directory: InstallDir directly followed
// by the file's name, cut to Windows' path limit.
struct InstalledPath {
  char text[260];
};
InstalledPath InInstallDir(const char* name);

// Takes `text` as the installation directory, at most 199 bytes of it; the
// rest of InstallDir is zero-filled.
void SetInstallDir(const char* text);
// Ends InstallDir in a backslash, by characters, unless it ends in one or
// has no room left.
void AppendInstallDirBackslash();

// Fills InstallDir from the first record that holds a directory the path page
// accepts, with its trailing backslash: the path file in the Windows
// directory, the registry value, the spare path file (only when neither of
// the others exists), else the default. Returns at once when InstallDir is
// already resolved.
char* ResolveInstallDir();

// Whether the first of the records that only an administrator can write (the
// path file in the Windows directory, else the registry value) holds exactly
// `text`.
bool ProtectedRecordHolds(const char* text);

// Whether InstallDir exists as a link or junction: whatever is written into
// it would land where the link points.
bool InstallDirIsLink();

// Writes InstallDir (with its trailing backslash appended) to the path file in
// the Windows directory, to HKLM\Software\lanzwb "path" and, on Vista and
// later, to the spare path file; each path file whole or not at all. Leaves
// the system directory in SharedDirBuffer. Every step runs whatever failed
// before; false when the path file in the Windows directory or the registry
// value, where the IME and the next installation look first, was not written.
bool PersistInstallDir();

// "x:\lanzhu\" on the first fixed drive from G: down to C:, else "".
void SpareDir(char (&out)[kInstallDirSize]);

// Whether a record of the installation directory is there: the path file in
// the Windows directory or the registry value, in any registry view.
bool InstallDirRecorded();
// Removes every record: the registry key "Software\lanzwb" in every registry
// view, the path file in the Windows directory, the spare path file and its
// directory when that is empty. Notes what stays for the run's result.
void RemoveInstallDirRecords();
