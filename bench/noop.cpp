// Does nothing: its start and exit under Wine are the baseline that the
// installer benchmarks subtract.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
