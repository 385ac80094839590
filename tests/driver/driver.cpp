#include "driver.h"

#include <gdiplus.h>

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* caption;
  HWND found;
};

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, sizeof name / sizeof name[0]);
  return name;
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search->processId != 0 && owner != search->processId) || !IsWindowVisible(window) ||
      ClassName(window) != search->className ||
      (search->caption[0] != L'\0' && WindowText(window) != search->caption)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

bool IsWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

bool StartProgram(const std::wstring& program, const std::wstring& arguments, Launched* launched) {
  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  launched->process = process.hProcess;
  launched->processId = process.dwProcessId;
  return true;
}

DWORD WaitForExit(const Launched& launched, DWORD timeoutMs) {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(launched.process, timeoutMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(launched.process, &code);
  }
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

HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs,
                   const wchar_t* caption) {
  for (const DWORD start = GetTickCount();; Sleep(50)) {
    WindowSearch search = {processId, className, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr || GetTickCount() - start >= timeoutMs) return search.found;
  }
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  return WaitForWindow(processId, L"#32770", timeoutMs);
}

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  // WM_GETTEXT reads other processes' windows too, unlike GetWindowText.
  SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0],
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? WindowText(text) : std::wstring();
}

void AnswerMessageBox(HWND box, int commandId) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
}

void ClickAt(HWND window, int x, int y, bool rightButton) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageW(window, rightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
               rightButton ? MK_RBUTTON : MK_LBUTTON, at);
  PostMessageW(window, rightButton ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

// Through GDI+, which Windows carries for pictures of every common format.
bool SaveWindowPng(HWND window, const std::string& path) {
  RECT frame;
  if (!GetWindowRect(window, &frame)) return false;
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  ULONG_PTR token = 0;
  const Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  const CLSID pngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
  Gdiplus::Bitmap* image = Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr);
  const bool saved = copied && image->Save(FromUtf8(path).c_str(), &pngEncoder, nullptr) == Gdiplus::Ok;
  delete image;
  Gdiplus::GdiplusShutdown(token);
  DeleteObject(bitmap);
  return saved;
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

DWORD WaitAnsweringMessageBoxes(const Launched& launched, const wchar_t* caption, DWORD timeoutMs,
                                std::vector<std::wstring>* own, std::vector<std::wstring>* other) {
  HWND last = nullptr;
  DWORD code = STILL_ACTIVE;
  for (const DWORD start = GetTickCount(); (code = WaitForExit(launched, 10)) == STILL_ACTIVE &&
                                           (timeoutMs == INFINITE || GetTickCount() - start < timeoutMs);) {
    HWND box = WaitForMessageBox(launched.processId, 0);
    std::vector<std::wstring>* texts = box != nullptr ? own : other;
    if (box == nullptr) box = WaitForWindow(0, L"#32770", 0, caption);
    // A box answered a moment ago may still be on its way out.
    if (box == nullptr || box == last) continue;
    if (texts != nullptr) texts->push_back(MessageBoxText(box));
    AnswerMessageBox(box, IDOK);
    last = box;
  }
  return code;
}

Answered RunAnswering(const std::wstring& program, const std::wstring& arguments) {
  Answered answered;
  Launched launched;
  if (!StartProgram(program, arguments, &launched)) return answered;
  answered.exitCode =
      WaitAnsweringMessageBoxes(launched, kCaption, 120000, &answered.own, &answered.other);
  CloseLaunched(&launched);
  if (answered.exitCode == 0) AnswerLateBox(&answered.other);
  return answered;
}

void AnswerLateBox(std::vector<std::wstring>* other) {
  HWND late = IsWow64() && other->empty() ? WaitForWindow(0, L"#32770", 60000, kCaption) : nullptr;
  if (late == nullptr) return;
  other->push_back(MessageBoxText(late));
  AnswerMessageBox(late, IDOK);
}

// This 32-bit program reaches the 64-bit one through "Sysnative".
std::wstring WineUninstaller() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + (IsWow64() ? L"\\sysnative" : L"\\system32") + L"\\uninstaller.exe";
}

UninstallRecord RunUninstaller(const std::wstring& program, const std::wstring& arguments,
                               int dataAnswer) {
  const std::wstring uninstall = L"确定要卸载智能岚舟输入平台吗？";
  const std::wstring data = L"是否同时删除你的词组等数据文件？";
  UninstallRecord record;
  Launched launched;
  if (!StartProgram(program, arguments, &launched)) return record;
  // Questions until the ending, the one box with only OK, or until the
  // program ends without one.
  for (HWND last = nullptr, box = nullptr;; last = box) {
    box = nullptr;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(50)) {
      box = WaitForWindow(0, L"#32770", 0, kCaption);
      if ((box != nullptr && box != last) || WaitForExit(launched, 0) != STILL_ACTIVE) break;
    }
    if (box == nullptr || box == last) break;
    const std::wstring text = MessageBoxText(box);
    record.messages.push_back(text);
    AnswerMessageBox(box, text == uninstall ? IDYES : text == data ? dataAnswer : IDOK);
    if (text != uninstall && text != data) break;
  }
  record.exitCode = WaitForExit(launched, 30000);
  CloseLaunched(&launched);
  return record;
}
