#pragma once

#include <cstddef>

// The installation directory is a narrow string in a 200-byte buffer: at most
// 199 characters, canonically "x:\name\".
constexpr std::size_t kInstallDirSize = 200;
constexpr std::size_t kInstallDirMaxChars = kInstallDirSize - 1;
inline constexpr char kDefaultInstallDir[] = "c:\\lanzhu2\\";

// Resolved means the second and third characters are ":" and "\", whatever
// the first one is (even a NUL: the bytes after it still count).
bool IsResolvedDir(const char (&dir)[kInstallDirSize]);

// The path page accepts exactly one directory level below a drive root, with
// or without the trailing backslash. Returns 1 accepted, 0 rejected.
int CheckInstallDir(const char* text);

// Registration mode takes its directory from "reglz32=" only when the first
// lower-case "r" of the command line starts exactly that text (case matters).
// Returns what follows the "=", untrimmed, or nullptr.
const char* RegistrationDirArgument(const char* commandLine);

// Appends the trailing backslash that every path format relies on, unless the
// directory already ends in one or the buffer has no room left for it.
void AppendDirBackslash(char (&dir)[kInstallDirSize]);
