#include "installer_run.h"

#include <cstdlib>

#include "test_support.h"

namespace {

std::wstring SetupExe() {
  const char* native = std::getenv("LANZ_SETUP_EXE");
  return FromUtf8(WindowsPathOfNative(native != nullptr ? native : ""));
}

}  // namespace

InstallerRun::InstallerRun(const std::wstring& arguments) {
  started_ = StartProgram(SetupExe(), arguments, &launched_);
}

InstallerRun::~InstallerRun() { CloseLaunched(&launched_); }

HWND InstallerRun::WaitForWizard(DWORD timeoutMs) const {
  return WaitForWindow(launched_.processId, L"installWClass", timeoutMs);
}

DWORD InstallerRun::WaitForExit(DWORD timeoutMs) const {
  return ::WaitForExit(launched_, timeoutMs);
}
