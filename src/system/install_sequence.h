#pragma once

#include "system/state.h"

// RestartFlag is set when the old IME module in the system directory is in
// use and can be neither deleted nor moved aside: the installation then ends
// early, with nothing extracted or registered, after telling the user to
// close the programs that use the IME or to restart, and to install again.

// Carries out one installation: directory, configuration files, the two file
// passes with the IME's registration between them, the browser token and the
// start-up entry; on 64-bit Windows starts setupw64.exe to register the IME
// for 64-bit programs, or tells the user (the log in silent mode) that it
// could not. Notes what it could not do in the run's result. The directory
// is `chosenDir`, as the wizard's path line holds it, or without one (silent
// mode) the one the records name.
void RunInstall(const char* chosenDir);
