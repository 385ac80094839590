#pragma once

// Freeing a file name for a new copy. A module that is in use cannot be
// deleted but can be renamed, so a caller that must replace it renames it
// aside when deleting fails.

// Clears the file's read-only, hidden and system attributes and deletes it.
// Returns 0 when nothing could be opened at `path` or the file was deleted,
// -1 when it is there, readable and cannot be deleted.
int DeleteFileIfPresent(const char* path);

// Renames the file to its first spare name, the character five from the end
// (the last one before a three-letter extension) replaced by "2", else to the
// second, that character "1"; whatever held either spare name is deleted
// first if it can be. Returns 0 when one rename succeeded (a restart then
// completes the run), else -1; the character used goes to `usedMark` when it
// is given.
int RenameAside(const char* path, char* usedMark = nullptr);

// What became of a file that an uninstallation removes.
enum class Removal {
  kGone,       // deleted, or there was none
  kAtRestart,  // in use: Windows deletes it at its next start
  kStays,
};
enum class RemoveMode {
  kPlain,
  // A module in use is first renamed aside (RenameAside), so that its name
  // is free at once for a new installation.
  kMoveAside,
  // The uninstaller's own copy, maybe the running program: its deletion at
  // the next start is no reason to restart.
  kOwnCopy,
};
// Removes the file at `path` whatever its attributes. One in use is marked
// for deletion at the next start of Windows, which knows it as
// `pathAtRestart`, and the run notes that a restart completes the removal; a
// file neither deleted nor marked leaves the run incomplete.
Removal RemoveFile(const char* path, const char* pathAtRestart, RemoveMode mode);
