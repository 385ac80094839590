#pragma once

#include <cstddef>

// The keyword that asks for a plain-text log of the run, followed by the
// log file's path: loglz32=C:\logs\lanzhu.log, and for a path with blanks
// loglz32="C:\my logs\x.log" or "loglz32=C:\my logs\x.log". Found anywhere on
// the command line, in any case.
inline constexpr char kLogKeyword[] = "loglz32=";

// Where an argument lies in the command line, its quotes included: from
// `begin` up to, not including, `end`.
struct ArgumentSpan {
  std::size_t begin;
  std::size_t end;
};

// Copies the log path that follows the keyword into `out` (`size` bytes):
// the text up to the closing quote when the value or the whole token is
// quoted, else up to the next blank; `span` gets where the whole argument
// lies, so that the other keywords are looked for without it. False, with
// `out` empty, when the keyword is missing, the path is empty, unclosed,
// holds a control character or does not fit.
bool FindLogPathArgument(const char* commandLine, char* out, std::size_t size, ArgumentSpan* span);
