#pragma once

// Before anything is installed: an earlier version of the IME must be
// neither the default input language nor in use by a running program.

// Returns 1 when the installation may go on, else 0 after telling the user
// why not (and, when asked, making the IME the second input language).
int CheckDefaultIme();

// Counts the top-level windows of the IME's user-interface class and, when
// there are any, builds the message that lists the programs owning them.
// Returns the count.
int ListProgramsUsingIme();
// The message of the last ListProgramsUsingIme that counted a program: in
// the work buffer, or without one in a small text of its own that lists as
// many programs as fit.
wchar_t* ProgramListMessage();
