#include "ime_user.h"

#include <cstdlib>

#include "test_support.h"

ImeUser::ImeUser(const std::vector<std::wstring>& windows) {
  const std::wstring event = L"lzimeuser-ready-" + std::to_wstring(GetCurrentProcessId());
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
  const char* native = std::getenv("LANZ_IME_USER_EXE");
  if (ready == nullptr || native == nullptr) return;
  const std::string path = WindowsPathOfNative(native);
  std::wstring commandLine = L"\"" + std::wstring(path.begin(), path.end()) + L"\" " + event;
  for (const std::wstring& window : windows) commandLine += L" \"" + window + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    HANDLE waits[] = {ready, process_};
    ready_ = WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
  }
  CloseHandle(ready);
}

ImeUser::~ImeUser() {
  if (process_ == nullptr) return;
  TerminateProcess(process_, 0);
  WaitForSingleObject(process_, 5000);
  CloseHandle(process_);
}
