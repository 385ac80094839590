#include "installer_run.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "test_support.h"

std::wstring BuildProgram(const char* variable) {
  const char* native = std::getenv(variable);
  return FromUtf8(WindowsPathOfNative(native != nullptr ? native : ""));
}

InstallerRun::InstallerRun(const std::wstring& arguments, const std::wstring& program) {
  started_ = StartProgram(program, arguments, &launched_);
}

InstallerRun::~InstallerRun() { CloseLaunched(&launched_); }

HWND InstallerRun::WaitForWizard(DWORD timeoutMs) const {
  return WaitForWindow(launched_.processId, L"installWClass", timeoutMs);
}

DWORD InstallerRun::WaitForExit(DWORD timeoutMs) const {
  return ::WaitForExit(launched_, timeoutMs);
}

namespace {

// setupw64.exe, which a silent run starts on 64-bit Windows, waits for its
// message to be answered; answered, it ends and holds no file of a later run.
void AnswerCompanion() {
  HWND box = WaitForMessageBoxTitled(L"智能岚舟", 60000);
  if (box == nullptr) return;
  DWORD processId = 0;
  GetWindowThreadProcessId(box, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  AnswerMessageBox(box, IDOK);
  if (process == nullptr) return;
  WaitForSingleObject(process, 20000);
  CloseHandle(process);
}

}  // namespace

Outcome RunWith(const std::wstring& arguments, const std::wstring& program) {
  InstallerRun run(arguments, program);
  EXPECT_TRUE(run.started());
  for (int waited = 0; waited < 300; ++waited) {
    const DWORD code = run.WaitForExit(50);
    if (code != STILL_ACTIVE) {
      EXPECT_EQ(0u, code);
      if (CurrentConfig().windows64) AnswerCompanion();
      return Outcome::kEndsAlone;
    }
    if (HWND wizard = run.WaitForWizard(0)) {
      PostMessageW(wizard, WM_CLOSE, 0, 0);
      EXPECT_EQ(0u, run.WaitForExit());
      return Outcome::kWizard;
    }
    if (HWND box = WaitForMessageBox(run.processId(), 0)) {
      EXPECT_EQ(L"智能岚舟", WindowText(box));
      EXPECT_EQ(L"智能岚舟已安装成功，如不能使用，请重新启动计算机！", MessageBoxText(box));
      AnswerMessageBox(box, IDOK);
      EXPECT_EQ(0u, run.WaitForExit());
      return Outcome::kRegistered;
    }
  }
  ADD_FAILURE() << "neither a wizard, a message nor an end within 15 s";
  return Outcome::kEndsAlone;
}

void ExpectMessageAndAnswer(const InstallerRun& run, const std::wstring& caption,
                            const std::wstring& text, DWORD timeoutMs) {
  HWND box = WaitForMessageBox(run.processId(), timeoutMs);
  ASSERT_NE(nullptr, box) << ToUtf8(text);
  EXPECT_EQ(caption, WindowText(box));
  EXPECT_EQ(text, MessageBoxText(box));
  EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
  AnswerMessageBox(box, IDOK);
}
