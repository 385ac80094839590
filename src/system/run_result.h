#pragma once

// How a run without a window ended, for the deployment tool that started it,
// and the plain-text log that tells an administrator why. Steps report here
// what went wrong; the silent modes turn it into their exit code. A run whose
// command line names no log writes none.

// The exit codes of Windows installers.
constexpr int kExitWhole = 0;                // everything is in place
constexpr int kExitRestartCompletes = 3010;  // whole once Windows has restarted
constexpr int kExitIncomplete = 1603;        // not completed

// Opens the log at `path` anew and writes its first line. Without a path, or
// when the file cannot be created, nothing is logged.
void StartRunLog(const char* path, const char* program);

// One line of the log: the step and how it went, printf-style, narrow text.
void LogStep(const char* format, ...);

// A file in use was moved aside: the run is whole once Windows restarts.
void NoteRestartCompletes(const char* what);
// Something the run should have done is not done.
void NoteIncomplete(const char* what);

// 0, 3010 or 1603, from what the steps noted.
int RunExitCode();

// Writes the result line and closes the log.
void EndRunLog();
