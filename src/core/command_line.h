#pragma once

#include <cstddef>

// The keyword that asks for a plain-text log of the run, followed by the
// log file's path: loglz32=C:\logs\lanzhu.log, and for a path with blanks
// loglz32="C:\my logs\x.log" or "loglz32=C:\my logs\x.log". Found anywhere on
// the command line, in any case.
inline constexpr char kLogKeyword[] = "loglz32=";

// Copies the log path that follows the keyword into `out` (`size` bytes):
// the text up to the closing quote when the value or the whole token is
// quoted, else up to the next blank. False, with `out` empty, when the
// keyword is missing, the path is empty, unclosed, holds a control character
// or does not fit.
bool FindLogPathArgument(const char* commandLine, char* out, std::size_t size);
