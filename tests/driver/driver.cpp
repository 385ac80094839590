#include "driver.h"


namespace {

// processId 0 matches every process; an empty caption every caption.
struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search->processId != 0 && owner != search->processId) return TRUE;
  if (!IsWindowVisible(window)) return TRUE;
  if (ClassName(window) != search->className) return TRUE;
  if (search->caption[0] != L'\0' && WindowText(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForClass(DWORD processId, const wchar_t* className, const wchar_t* caption,
                  DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search = {processId, className, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

}  // namespace

bool StartProgram(const std::wstring& program, const std::wstring& arguments, Launched* launched) {
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  launched->process = process.hProcess;
  launched->processId = process.dwProcessId;
  return true;
}

DWORD WaitForExit(const Launched& launched, DWORD timeoutMs) {
  if (WaitForSingleObject(launched.process, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(launched.process, &code);
  return code;
}

void CloseLaunched(Launched* launched) {
  if (launched->process == nullptr) return;
  if (WaitForSingleObject(launched->process, 0) != WAIT_OBJECT_0) {
    TerminateProcess(launched->process, 99);
    WaitForSingleObject(launched->process, 5000);
  }
  CloseHandle(launched->process);
  launched->process = nullptr;
}

DWORD WaitAnsweringMessageBoxes(const Launched& launched, const std::wstring& caption,
                                DWORD timeoutMs, std::vector<std::wstring>* answered) {
  const DWORD start = GetTickCount();
  HWND last = nullptr;
  DWORD code = STILL_ACTIVE;
  while ((code = WaitForExit(launched, 10)) == STILL_ACTIVE) {
    if (timeoutMs != INFINITE && GetTickCount() - start >= timeoutMs) break;
    HWND box = WaitForMessageBox(launched.processId, 0);
    if (box == nullptr) box = WaitForMessageBoxTitled(caption, 0);
    // A box answered a moment ago may still be on its way out.
    if (box == nullptr || box == last) continue;
    if (answered != nullptr) answered->push_back(WindowText(box) + L": " + MessageBoxText(box));
    AnswerMessageBox(box, IDOK);
    last = box;
  }
  return code;
}

DWORD InstallSilently(const std::wstring& setup, std::vector<std::wstring>* answered,
                      const std::wstring& arguments) {
  Launched launched;
  if (!StartProgram(setup, arguments, &launched)) return STILL_ACTIVE;
  std::vector<std::wstring> boxes;
  const DWORD code = WaitAnsweringMessageBoxes(launched, L"智能岚舟", 120000, &boxes);
  CloseLaunched(&launched);
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  HWND late = wow64 && boxes.empty() ? WaitForMessageBoxTitled(L"智能岚舟", 60000) : nullptr;
  if (late != nullptr) {
    boxes.push_back(WindowText(late) + L": " + MessageBoxText(late));
    AnswerMessageBox(late, IDOK);
  }
  if (answered != nullptr) answered->insert(answered->end(), boxes.begin(), boxes.end());
  return code;
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
  return WaitForClass(processId, className, L"", timeoutMs);
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  return WaitForClass(processId, L"#32770", L"", timeoutMs);
}

HWND WaitForMessageBoxTitled(const std::wstring& caption, DWORD timeoutMs) {
  return WaitForClass(0, L"#32770", caption.c_str(), timeoutMs);
}

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  // WM_GETTEXT reads other processes' windows too, unlike GetWindowText.
  SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0],
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, sizeof name / sizeof name[0]);
  return name;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? WindowText(text) : std::wstring();
}

void AnswerMessageBox(HWND box, int commandId) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
}

void ClickAt(HWND window, int x, int y, bool rightButton) {
  const LPARAM position = MAKELPARAM(x, y);
  if (rightButton) {
    PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, position);
    PostMessageW(window, WM_RBUTTONUP, 0, position);
  } else {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
    PostMessageW(window, WM_LBUTTONUP, 0, position);
  }
}

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

std::string ToUtf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &out[0], size);
  return out;
}
