#include "driver.h"

#include <zlib.h>

#include <cstdio>

namespace {

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

void PutU32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift);
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
  PutU32(png, static_cast<std::uint32_t>(data.size()));
  const std::string chunk = type + data;
  png += chunk;
  PutU32(png, crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), static_cast<uInt>(chunk.size())));
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

// 8-bit RGB rows, each with filter 0.
bool SaveWindowPng(HWND window, const std::string& path) {
  RECT frame;
  if (!GetWindowRect(window, &frame)) return false;
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  GdiFlush();
  std::string raw;
  const auto* bgra = static_cast<const unsigned char*>(bits);
  for (int y = 0; copied && y < height; ++y) {
    raw += '\0';
    for (const unsigned char* pixel = bgra + 4 * y * width; pixel < bgra + 4 * (y + 1) * width;
         pixel += 4) {
      raw += {static_cast<char>(pixel[2]), static_cast<char>(pixel[1]), static_cast<char>(pixel[0])};
    }
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  compress(reinterpret_cast<Bytef*>(&packed[0]), &packedSize,
           reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
  packed.resize(packedSize);
  std::string png = "\x89PNG\r\n\x1A\n", header;
  PutU32(header, width);
  PutU32(header, height);
  PutChunk(png, "IHDR", header + std::string("\x08\x02\0\0\0", 5));
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!copied || file == nullptr) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
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
