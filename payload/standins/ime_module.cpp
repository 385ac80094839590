// Stand-in for one of the IME's modules: a DLL that loads and unloads and
// does nothing else. The installer only copies, stamps and registers these
// files, so what matters is the version resource linked in beside it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
