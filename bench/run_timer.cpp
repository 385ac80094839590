// Times one program run inside an already running Wine prefix, so that the
// prefix copy and Wine's own start-up stay outside the measurement: the clock
// starts once the services, devices and desktop that Wine starts beside the
// first program of a prefix have had time to settle.
//   run_timer PROGRAM [ARGS...]
// Prints one line: "<milliseconds> <exit code>". Message boxes are answered
// as they appear: setupw64.exe's, captioned "智能岚舟", on 64-bit Windows.
#include <windows.h>

#include <cstdio>
#include <string>

#include "clock_ms.h"
#include "driver.h"

namespace {

constexpr DWORD kWineStartUpMs = 2000;

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 2) {
    std::fputs("usage: run_timer PROGRAM [ARGS...]\n", stderr);
    return 2;
  }
  std::wstring arguments;
  for (int i = 2; i < argc; ++i) arguments += (i > 2 ? L" " : L"") + std::wstring(argv[i]);

  Sleep(kWineStartUpMs);
  const double start = Now();
  Launched launched;
  if (!StartProgram(argv[1], arguments, &launched)) {
    std::fprintf(stderr, "run_timer: cannot start %s\n", ToUtf8(argv[1]).c_str());
    return 1;
  }
  const DWORD code = WaitAnsweringMessageBoxes(launched, L"智能岚舟", INFINITE, nullptr);
  const double elapsed = Now() - start;
  CloseLaunched(&launched);
  std::printf("%.1f %lu\n", elapsed, code);
  return 0;
}
