// Stand-in for one of the IME's programs (its main program, under both of
// its names): it exits at once with status 0 whatever its command line, so
// the installer's start-up entry ("lanzlzsr.exe lz") is harmless.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
