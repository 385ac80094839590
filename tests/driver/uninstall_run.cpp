#include "uninstall_run.h"

#include "driver.h"

namespace {

constexpr DWORD kBoxTimeoutMs = 30000;
const wchar_t kCaption[] = L"智能岚舟";
const wchar_t kUninstallQuestion[] = L"确定要卸载智能岚舟输入平台吗？";
const wchar_t kDataQuestion[] = L"是否同时删除你的词组等数据文件？";

}  // namespace

// This 32-bit program reaches the 64-bit one through "Sysnative".
std::wstring WineUninstaller() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  return std::wstring(windows) + (wow64 ? L"\\sysnative" : L"\\system32") + L"\\uninstaller.exe";
}

std::wstring ListedPrograms() {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return L"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  PROCESS_INFORMATION process = {};
  std::wstring commandLine = L"\"" + WineUninstaller() + L"\" --list";
  if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &startup, &process)) {
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  // The output ends when the program has ended and its end of the pipe with it.
  CloseHandle(writeEnd);
  std::string output;
  char chunk[512];
  DWORD got = 0;
  while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) output.append(chunk, got);
  CloseHandle(readEnd);
  // Console programs print in the OEM code page.
  std::wstring text(output.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_OEMCP, 0, output.data(), static_cast<int>(output.size()),
                                  &text[0], static_cast<int>(text.size())));
  return text;
}

UninstallRecord RunUninstaller(const std::wstring& program, const std::wstring& arguments,
                               int dataAnswer) {
  UninstallRecord record;
  Launched launched;
  if (!StartProgram(program, arguments, &launched)) return record;
  // Questions until the ending, the one box with only OK, or until the
  // program ends without one.
  for (HWND last = nullptr;;) {
    HWND found = nullptr;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < kBoxTimeoutMs; Sleep(50)) {
      found = WaitForMessageBoxTitled(kCaption, 0);
      // The box answered a moment ago may still be on its way out.
      if (found != nullptr && found != last) break;
      found = nullptr;
      if (WaitForExit(launched, 0) != STILL_ACTIVE) break;
    }
    if (found == nullptr) break;
    const std::wstring text = MessageBoxText(found);
    record.messages.push_back(text);
    const bool question = text == kUninstallQuestion || text == kDataQuestion;
    AnswerMessageBox(found, text == kUninstallQuestion ? IDYES : question ? dataAnswer : IDOK);
    if (!question) break;
    last = found;
  }
  record.exitCode = WaitForExit(launched, kBoxTimeoutMs);
  CloseLaunched(&launched);
  return record;
}
