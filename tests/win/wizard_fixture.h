#pragma once

// The wizard window created in the test's own process, as setup.exe creates
// it, with its messages recorded instead of shown: the page flow, painting,
// the skin dialog and the finishing checks run against it.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedBox {
  std::wstring text;  // wide boxes as they are, narrow ones from GBK
  std::wstring caption;
};

class WizardInProcess : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static void Click(int x, int y, bool right = false);
  // Whether the window has asked itself to close (a posted WM_DESTROY),
  // taken off the queue.
  static bool CloseRequested();
  static std::wstring LineText(HWND line);
  // Runs `whileOpen` once, from inside the next message box's loop; the box
  // is then answered with OK.
  static void OnNextMessage(std::function<void()> whileOpen);

  static std::vector<RecordedBox> shown_;

 private:
  static int WINAPI RecordW(HWND, LPCWSTR text, LPCWSTR caption, UINT);
  static int WINAPI RecordA(HWND, LPCSTR text, LPCSTR caption, UINT);
  static std::function<void()> whileOpen_;
};

// Drives the next modal dialog of this thread from inside its loop: `drive`
// gets the dialog once it is shown.
void DriveNextDialog(std::function<void(HWND)> drive);
