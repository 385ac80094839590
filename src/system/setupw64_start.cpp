#include "system/setupw64_start.h"

#include <windows.h>

#include <cstdio>

#include "data/install_dir.h"
#include "payload/payload_lookup.h"
#include "system/run_result.h"

bool StartSetupw64() {
  // Held until the program has started: nobody can replace the checked file
  // in between.
  HANDLE shipped = OpenAsShipped("setupw64.exe");
  if (shipped == INVALID_HANDLE_VALUE) {
    LogStep("setupw64.exe in %s is not the one this installation shipped", InstallDir);
    return false;
  }
  const InstalledPath program = InInstallDir("setupw64.exe");
  char commandLine[2 * MAX_PATH];
  std::snprintf(commandLine, sizeof commandLine, "\"%s\" reglz32=%s", program.text, InstallDir);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process = {};
  // The program's own path, so that nothing is searched for.
  const bool started = CreateProcessA(program.text, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process) != 0;
  const DWORD error = GetLastError();
  CloseHandle(shipped);
  if (!started) {
    LogStep("setupw64.exe could not be started (error %lu)", error);
    return false;
  }
  // Not waited for to the end, but until it waits for input (at its closing
  // message; 30 s at the most): by then it has persisted the directory, so
  // whatever runs right after the installer finds the records settled.
  WaitForInputIdle(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  LogStep("setupw64.exe started: %s", commandLine);
  return true;
}
