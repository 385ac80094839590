#pragma once

#include <string>

#include "driver.h"

// One run of the real setup.exe of the build, ended when the test ends.
class InstallerRun {
 public:
  explicit InstallerRun(const std::wstring& arguments = L"");
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
