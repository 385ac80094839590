#pragma once

// Starts setupw64.exe of the installation directory with "reglz32=" and the
// directory, to register the IME for 64-bit programs; not waited for. The
// directory is one that low-integrity programs write into, so the program is
// started only when it holds the bytes this installation shipped, and by its
// full path. Returns false, with a line in the log, when it was not started.
bool StartSetupw64();
