#include "wizard_fixture.h"

#include <cstring>

#include "data/install_dir.h"
#include "shell/payload_memory.h"
#include "shell/wizard_window.h"
#include "system/seams.h"
#include "system/state.h"
#include "test_support.h"

std::vector<RecordedBox> WizardInProcess::shown_;
std::function<void()> WizardInProcess::whileOpen_;

namespace {

std::wstring FromGbk(const char* text) {
  const int size = MultiByteToWideChar(936, 0, text, -1, nullptr, 0);
  std::wstring out(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(936, 0, text, -1, &out[0], size);
  return out;
}

std::function<void(HWND)> PendingDrive;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (!IsWindowVisible(window) || std::strcmp(name, "#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The dialog is found among this thread's windows, not as the active one:
// activation depends on the desktop around the test.
void CALLBACK DriveDialogTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr || !PendingDrive) return;
  KillTimer(nullptr, timer);
  std::function<void(HWND)> drive = std::move(PendingDrive);
  PendingDrive = nullptr;
  drive(dialog);
}

}  // namespace

void DriveNextDialog(std::function<void(HWND)> drive) {
  PendingDrive = std::move(drive);
  SetTimer(nullptr, 0, 50, DriveDialogTimer);
}

int WINAPI WizardInProcess::RecordW(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
  shown_.push_back({text, caption});
  if (whileOpen_) {
    std::function<void()> run = std::move(whileOpen_);
    whileOpen_ = nullptr;
    run();
  }
  return IDOK;
}

int WINAPI WizardInProcess::RecordA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  shown_.push_back({FromGbk(text), FromGbk(caption)});
  return IDOK;
}

void WizardInProcess::SetUp() {
  ClearInstallDirRecords();
  std::memset(InstallDir, 0, sizeof InstallDir);
  RunMode = kWindowMode;
  PageNumber = 0;
  shown_.clear();
  Platform.MessageBoxW = RecordW;
  Platform.MessageBoxA = RecordA;
  RegisterWizardClass(GetModuleHandleA(nullptr));
  ASSERT_TRUE(CreateWizardWindow(GetModuleHandleA(nullptr), SW_SHOW));
}

void WizardInProcess::TearDown() {
  DestroyWindow(MainWindow);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  Platform.MessageBoxW = ::MessageBoxW;
  Platform.MessageBoxA = ::MessageBoxA;
  ClearInstallDirRecords();
}

void WizardInProcess::Click(int x, int y, bool right) {
  SendMessageA(MainWindow, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
}

bool WizardInProcess::CloseRequested() {
  MSG message;
  return PeekMessageA(&message, MainWindow, WM_DESTROY, WM_DESTROY, PM_REMOVE) != 0;
}

std::wstring WizardInProcess::LineText(HWND line) {
  wchar_t text[256] = {};
  GetWindowTextW(line, text, 256);
  return text;
}

void WizardInProcess::OnNextMessage(std::function<void()> whileOpen) {
  whileOpen_ = std::move(whileOpen);
}
