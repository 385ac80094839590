#pragma once

#include <cstddef>
#include <cstdint>

#include "core/narrow_path.h"

// The installation directory is a narrow string in a 200-byte buffer: at most
// 199 characters, canonically "x:\name\".
constexpr std::size_t kInstallDirSize = 200;
constexpr std::size_t kInstallDirMaxChars = kInstallDirSize - 1;
inline constexpr char kDefaultInstallDir[] = "c:\\lanzhu2\\";

// Resolved means the second and third characters are ":" and "\", whatever
// the first one is (even a NUL: the bytes after it still count).
bool IsResolvedDir(const char (&dir)[kInstallDirSize]);

// The path page accepts exactly one directory level below a drive root, with
// or without the trailing backslash: a drive letter, ":\", at least five
// bytes, a name that Windows keeps as it is (no control character, none of
// <>:"/|?*, not ending in a dot or a blank, so never "." or ".."), and room
// left in InstallDir for the trailing backslash. Returns 1 accepted, 0
// rejected.
int CheckInstallDir(const char* text, const LeadBytes& leads);

// A record of the directory (path file, registry value, "reglz32=") is
// believed only when it holds what persisting writes: `length` bytes, no NUL
// among them, a directory the path page accepts, with its trailing
// backslash. Then it is copied into `dir`, NUL-filled; otherwise `dir` is left
// as it is.
bool AcceptDirRecord(const char* bytes, std::size_t length, const LeadBytes& leads,
                     char (&dir)[kInstallDirSize]);

// The registry type of a directory record.
constexpr std::uint32_t kRegSzType = 1;
// The text of a registry value of type `type`: only a REG_SZ has one, its
// `length` bytes less the one terminator that may be stored with it.
bool RegistryValueText(std::uint32_t type, const char* bytes, std::size_t& length);

// Registration mode takes its directory from "reglz32=" only when the first
// lower-case "r" of the command line starts exactly that text (case matters).
// Returns what follows the "=", untrimmed, or nullptr.
const char* RegistrationDirArgument(const char* commandLine);

// Appends the trailing backslash that every path format relies on, unless the
// directory already ends in one or the buffer has no room left for it.
void AppendDirBackslash(char (&dir)[kInstallDirSize], const LeadBytes& leads);

// Removes the backslash that ends a directory, for the calls that name a
// directory without it.
void StripDirBackslash(char* dir, const LeadBytes& leads);
