// A stand-in for programs that use the IME: it makes the top-level windows of
// the IME's user-interface class "UILZSR" that such programs have, and keeps
// them until it is ended.
//
//   lzimeuser EVENT ARG...
//
// Each ARG makes one UILZSR window: "-" one without owner or parent; any other
// text one owned by a helper window that is itself owned by a program window
// titled with that text. The first ARG's window is enumerated first. EVENT
// names an event that is set once every window is there.

#include <windows.h>
#include <shellapi.h>

#include <initializer_list>

namespace {

const wchar_t kUiClass[] = L"UILZSR";
const wchar_t kProgramClass[] = L"LzImeUserProgram";

HWND MakeWindow(const wchar_t* className, const wchar_t* title, HWND owner) {
  return CreateWindowExW(0, className, title, WS_POPUP, 0, 0, 10, 10, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr || count < 2) return 2;
  for (const wchar_t* name : {kUiClass, kProgramClass}) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
  }
  // A new window goes in front of the others, so the last made is
  // enumerated first.
  for (int i = count - 1; i >= 2; --i) {
    HWND owner = nullptr;
    if (lstrcmpW(args[i], L"-") != 0) {
      HWND program = MakeWindow(kProgramClass, args[i], nullptr);
      owner = MakeWindow(kProgramClass, L"helper", program);
    }
    if (MakeWindow(kUiClass, L"", owner) == nullptr) return 3;
  }
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, args[1]);
  if (ready == nullptr) return 4;
  SetEvent(ready);
  CloseHandle(ready);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
