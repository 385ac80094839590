#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Drives the installer from outside, as a user or Windows would: starts it,
// finds its windows and message boxes, reads and answers them, clicks and
// reads pixels. Everything here works across processes of one prefix.
struct Launched {
  HANDLE process = nullptr;
  DWORD processId = 0;
};

// Starts `program` with `arguments` (the command line after the program name).
bool StartProgram(const std::wstring& program, const std::wstring& arguments, Launched* launched);
// Waits up to `timeoutMs` for the process to end; returns its exit code, or
// STILL_ACTIVE when it is still running.
DWORD WaitForExit(const Launched& launched, DWORD timeoutMs);
void CloseLaunched(Launched* launched);
// WaitForExit that meanwhile presses OK on every message box of the process,
// and of any process when captioned `caption` (boxes of programs it starts);
// appends "caption: text" of each to `answered` unless that is null.
DWORD WaitAnsweringMessageBoxes(const Launched& launched, const std::wstring& caption,
                                DWORD timeoutMs, std::vector<std::wstring>* answered);

// Runs `setup` with "setlzsrf32" and answers OK to its boxes and to those of
// setupw64.exe, which it starts last on 64-bit Windows and which may speak
// after it has ended; appends "caption: text" of each to `answered` unless
// that is null. Returns the installer's exit code, STILL_ACTIVE when it could
// not start or ran for more than two minutes.
DWORD InstallSilently(const std::wstring& setup, std::vector<std::wstring>* answered,
                      const std::wstring& arguments = L"setlzsrf32");

// The first visible top-level window of class `className` that belongs to
// the process, waited for up to `timeoutMs`; null when none appeared.
HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs);
// A message box ("#32770") of the process.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// A message box of any process, by its caption: for programs that the
// installer starts itself.
HWND WaitForMessageBoxTitled(const std::wstring& caption, DWORD timeoutMs);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// The message text of a message box: its static control with id 0xFFFF.
std::wstring MessageBoxText(HWND box);
// Presses a message box button by its command id (IDOK, IDYES, IDNO).
void AnswerMessageBox(HWND box, int commandId);

// Posts a button-down click at client coordinates.
void ClickAt(HWND window, int x, int y, bool rightButton = false);
COLORREF PixelAt(HWND window, int x, int y);

// Converts between the wide texts of windows and UTF-8 for printing.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
