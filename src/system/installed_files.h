#pragma once

// Small dealings with single files of the installation directory.

// Gives the installation directory the low integrity level, inherited by
// what is created in it, without starting any program. Leaves the directory,
// without its trailing backslash, in SharedDirBuffer; a failure is logged.
void MarkLowIntegrity();

// Raises the version in the product description inside the file at `path`
// to 7.3, rewriting the file whole. True when the file now reads 7.3 wherever
// it read 6.3 or 6.7; false when it could not be read whole or rewritten, and
// then it is left as it was: never shortened or emptied.
bool StampImeVersion(const char* path);

// Reads the first 20 bytes of InstallDir + `name` into `head` (20 bytes or
// more). Returns bytes read × 256 plus GetLastError after a short read, or
// GetLastError alone when the file cannot be opened.
int ReadFileHead(const char* name, char* head);
