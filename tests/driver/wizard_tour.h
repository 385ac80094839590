#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

// One installation through the wizard of a started setup.exe, driven as a
// user would: clicks posted at the painted buttons, addresses put into the
// edit lines, the skin dialog's radio buttons and "确定" pressed, message boxes
// read and answered. The demo and the end-to-end tests share it.

// Client coordinates inside the painted buttons.
constexpr int kConfirmX = 90, kConfirmY = 257;
constexpr int kExitX = 310, kExitY = 257;

struct TourChoices {
  std::wstring organisationSite = L"www.danwei.example.cn";
  std::wstring governmentSite = L"www.zhengfu.example.gov.cn";
  int windowModeButton = 107;  // "仿WIN窗口"
  int skinButton = 111;        // "暖橙釉面"
  std::wstring name = L"lanzhu";
  // False when the user keeps the earlier data: no skin dialog is shown.
  bool skinDialog = true;
};

// What the tour met, in order.
struct TourRecord {
  std::vector<std::wstring> messages;       // texts of this installer's boxes
  std::vector<std::wstring> otherMessages;  // boxes of programs it started
  std::wstring skinDialogCaption;
  std::vector<std::string> pages;           // names given to the observer
  std::wstring nameLineText;                // after typing on the try-it page
  DWORD exitCode = STILL_ACTIVE;
  std::string failure;                      // empty when the tour went through
};

// Told about every page as it is shown and every box before it is answered.
class TourObserver {
 public:
  virtual ~TourObserver() = default;
  // `name` is "0-welcome", "1-addresses", "6-directory", "7-installing"
  // (directory page repainted, empty progress bar), "7-processing",
  // "8-try-it", "9-try-it".
  virtual void Page(const std::string& /*name*/, HWND /*wizard*/) {}
  virtual void SkinDialog(HWND /*dialog*/) {}
  // Returns the button to press (IDOK unless a question wants otherwise).
  virtual int MessageBox(HWND /*box*/, HWND /*wizard*/) { return IDOK; }
};

TourRecord InstallThroughWizard(const Launched& installer, const TourChoices& choices,
                                TourObserver& observer);

// The visible edit lines of the wizard, by their client position.
HWND EditLineAt(HWND wizard, int x, int y);
// Waits until the client pixel has the colour; false after `timeoutMs`.
bool WaitForPixel(HWND window, int x, int y, COLORREF colour, DWORD timeoutMs);
// Moves a dialog or box off the wizard, as a user would drag it, so that
// what the installation drew below it can be seen.
void MoveAside(HWND dialog, HWND wizard);
