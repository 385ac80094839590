#pragma once

// Whether the user's data of an earlier installation was saved before this
// one, and whether the user asked to keep it.
enum OldDataStateValue { kOldDataNone = 0, kOldDataBackedUp = 1, kOldDataKeep = 2 };
extern int OldDataState;

// Saves the user's data of an earlier installation in InstallDir into the
// backup container "lanzback.lzz" there, rebuilt from nothing: the files of
// the backup list of the edition, in its order. Returns 1 when every pair
// and required file went in, else 0 (the container keeps what went in).
int BackupUserData();

// Unpacks "lanzback.lzz" of the current InstallDir over the installed files
// and tells the user how many came back, or which did not. A missing or
// shorter than 100-byte backup is passed over without a word. A backup that
// counts more entries than the backup list has rows restores nothing and is
// reported like a failed one.
void RestoreUserData();
