#pragma once

#include <cstdio>

// How a run without a window ended, for the deployment tool that started it,
// and the plain-text log that tells an administrator why. Steps report here
// what went wrong; the silent modes turn it into their exit code. A run whose
// command line names no log writes none.

// The log's texts are printf formats: checked by the compiler where it can,
// so that a path is never taken for a format.
#if defined(__MINGW_PRINTF_FORMAT)
#define LANZ_PRINTF_FORMAT(text, first) __attribute__((format(__MINGW_PRINTF_FORMAT, text, first)))
#elif defined(__GNUC__)
#define LANZ_PRINTF_FORMAT(text, first) __attribute__((format(printf, text, first)))
#else
#define LANZ_PRINTF_FORMAT(text, first)
#endif

// The exit codes of Windows installers.
constexpr int kExitWhole = 0;                // everything is in place
constexpr int kExitRestartCompletes = 3010;  // whole once Windows has restarted
constexpr int kExitIncomplete = 1603;        // not completed

// Opens the log that the command line asks for with "loglz32=<file>", anew,
// and writes its first line: the program and its command line. Then blanks
// that argument out of the command line, so that no path reads as a keyword.
// Without the keyword, or when the file cannot be created, nothing is logged.
void StartRunLog(const char* program, char* commandLine);

// One line of the log: the step and how it went, printf-style, narrow text.
void LogStep(const char* format, ...) LANZ_PRINTF_FORMAT(1, 2);

// A file in use was moved aside: the run is whole once Windows restarts.
// `format` says which, printf-style, for the log.
void NoteRestartCompletes(const char* format, ...) LANZ_PRINTF_FORMAT(1, 2);
// Something the run should have done is not done.
void NoteIncomplete(const char* format, ...) LANZ_PRINTF_FORMAT(1, 2);

// 0, 3010 or 1603, from what the steps noted.
int RunExitCode();
// True once a step noted that a restart completes the run.
bool RestartCompletes();

// Writes the result line and closes the log.
void EndRunLog();
