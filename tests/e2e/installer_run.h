#pragma once

#include <string>

#include "driver.h"

// A program of the build, named by a CTest environment variable holding its
// native path, as this prefix sees it.
std::wstring BuildProgram(const char* variable);

// One run of the real setup.exe of the build (or of another program of the
// build, such as setupw64.exe), ended when the test ends.
class InstallerRun {
 public:
  explicit InstallerRun(const std::wstring& arguments = L"",
                        const std::wstring& program = BuildProgram("LANZ_SETUP_EXE"));
  ~InstallerRun();
  InstallerRun(const InstallerRun&) = delete;
  InstallerRun& operator=(const InstallerRun&) = delete;

  bool started() const { return started_; }
  DWORD processId() const { return launched_.processId; }
  const Launched& launched() const { return launched_; }
  // The wizard window, waited for.
  HWND WaitForWizard(DWORD timeoutMs = 15000) const;
  // The exit code once the process has ended by itself, else STILL_ACTIVE.
  DWORD WaitForExit(DWORD timeoutMs = 20000) const;

 private:
  Launched launched_;
  bool started_ = false;
};

// How a command line runs: the wizard opens (and is closed again);
// registration mode shows its success message (answered); or the process
// ends by itself (silent mode). Each also checks that it ended with exit
// code 0.
enum class Outcome { kWizard, kRegistered, kEndsAlone };
Outcome RunWith(const std::wstring& arguments,
                const std::wstring& program = BuildProgram("LANZ_SETUP_EXE"));

// Waits for a message box of the run, checks that it has no owner and shows
// `caption` and `text`, and presses OK.
void ExpectMessageAndAnswer(const InstallerRun& run, const std::wstring& caption,
                            const std::wstring& text, DWORD timeoutMs = 60000);
