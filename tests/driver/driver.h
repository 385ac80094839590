#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Drives the installer from outside, as a user or Windows would: starts it,
// finds its windows and message boxes, reads and answers them, clicks and
// saves what the screen shows. Everything here works across processes of one
// prefix; the demo and the end-to-end tests share it.
struct Launched {
  HANDLE process = nullptr;
  DWORD processId = 0;
};

bool StartProgram(const std::wstring& program, const std::wstring& arguments, Launched* launched);
// The exit code, or STILL_ACTIVE while the process runs after `timeoutMs`.
DWORD WaitForExit(const Launched& launched, DWORD timeoutMs);
void CloseLaunched(Launched* launched);

// A visible top-level window of the process (any process for 0) of the
// class, and with the caption unless that is empty; null after `timeoutMs`.
HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs,
                   const wchar_t* caption = L"");
// A message box of the process.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// A box of the programs the installer starts (setupw64.exe), by its caption.
constexpr wchar_t kCaption[] = L"智能岚舟";

std::wstring WindowText(HWND window);
std::wstring MessageBoxText(HWND box);
// Presses a button of a message box by its command id (IDOK, IDYES, IDNO).
void AnswerMessageBox(HWND box, int commandId);
// Posts a click at client coordinates.
void ClickAt(HWND window, int x, int y, bool rightButton = false);
COLORREF PixelAt(HWND window, int x, int y);
// The window as the screen shows it, with what lies on top, as a PNG file.
bool SaveWindowPng(HWND window, const std::string& path);

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// Presses OK on every box of the process, and of any process when captioned
// `caption`, until it ends; returns its exit code, STILL_ACTIVE after
// `timeoutMs`. Keeps the texts of its own boxes and of the others'.
DWORD WaitAnsweringMessageBoxes(const Launched& launched, const wchar_t* caption, DWORD timeoutMs,
                                std::vector<std::wstring>* own,
                                std::vector<std::wstring>* other = nullptr);

// A silent run, two minutes at most, answered so; on 64-bit Windows the box
// of setupw64.exe, which may come after the installer has ended, waited for.
struct Answered {
  DWORD exitCode = STILL_ACTIVE;
  std::vector<std::wstring> own, other;
};
Answered RunAnswering(const std::wstring& program, const std::wstring& arguments);
// setupw64.exe's box, answered, when `other` holds none yet.
void AnswerLateBox(std::vector<std::wstring>* other);

// One installation through the wizard, as a user makes it: clicks at the
// painted buttons, addresses typed, the skin dialog's choices pressed, boxes
// read and answered.
constexpr int kConfirmX = 90, kConfirmY = 257;
constexpr int kExitX = 310, kExitY = 257;

struct TourChoices {
  int windowModeButton = 107;  // "仿WIN窗口"
  int skinButton = 111;        // "暖橙釉面"
  // False when the user keeps the earlier data: no skin dialog comes.
  bool skinDialog = true;
};

struct TourRecord {
  std::vector<std::wstring> messages, otherMessages;  // its own boxes; setupw64.exe's
  std::wstring skinDialogCaption, nameLineText;
  std::vector<std::string> pages;
  DWORD exitCode = STILL_ACTIVE;
  std::string failure;  // empty when the tour went through
};

// Told of every page ("0-welcome", "1-addresses", "6-directory",
// "7-installing", "7-processing", "8-try-it", "9-try-it") and every box.
class TourObserver {
 public:
  virtual ~TourObserver() = default;
  virtual void Page(const std::string& /*name*/, HWND /*window*/) {}
  // The button to press.
  virtual int MessageBox(HWND /*box*/, HWND /*wizard*/) { return IDOK; }
};

// The visible edit line of the wizard at a client position, waited for.
HWND EditLineAt(HWND wizard, int x, int y);

TourRecord InstallThroughWizard(const Launched& installer, const TourChoices& choices,
                                TourObserver& observer);

// The uninstaller as a user meets it: Yes to uninstalling, `dataAnswer` to
// removing the user's data, OK to the ending. Wine's list of installed
// programs starts it with "uninstaller --remove lanzqwb".
std::wstring WineUninstaller();
struct UninstallRecord {
  std::vector<std::wstring> messages;
  DWORD exitCode = STILL_ACTIVE;
};
UninstallRecord RunUninstaller(const std::wstring& program, const std::wstring& arguments,
                               int dataAnswer);
