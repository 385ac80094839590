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
// completes the run), else -1.
int RenameAside(const char* path);
