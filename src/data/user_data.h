#pragma once

// Whether the user's data of an earlier installation was saved before this
// one, and whether the user asked to keep it.
enum OldDataStateValue { kOldDataNone = 0, kOldDataBackedUp = 1, kOldDataKeep = 2 };
extern int OldDataState;
