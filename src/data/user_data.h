#pragma once

#include "system/state.h"

// Saves the user's data of an earlier installation in InstallDir into the
// backup container "lanzback.lzz" there, rebuilt from nothing: the files of
// the backup list of the edition, in its order. Returns 1 when every pair
// and required file went in, else 0 (the container keeps what went in), and
// sets OldDataState to BackedUp or None accordingly.
int BackupUserData();

// After a whole extraction, asks whether the saved data is to be kept;
// Yes sets OldDataState to Keep.
void AskToKeepUserData();

// Unpacks "lanzback.lzz" of the current InstallDir over the installed files
// and tells the user how many came back, or which did not. A missing or
// shorter than 100-byte backup is passed over without a word. A backup that
// counts more entries than the backup list has rows restores nothing and is
// reported like a failed one.
void RestoreUserData();
