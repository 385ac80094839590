#include "payload/skin_dialog.h"

#include "system/state.h"

namespace {

constexpr int kModeButtons[] = {kTwoLineButton, kSingleLineButton, kDualButton, kWindowsLikeButton};
constexpr int kSkinButtons[] = {kFirstSkinButton, kSecondSkinButton, kThirdSkinButton};

// The selection while the dialog is open, one flag per radio button, in the
// order of the two sets above.
bool ModeSelected[4];
bool SkinSelected[3];

template <std::size_t N>
bool SelectIn(const int (&ids)[N], bool (&selected)[N], int id) {
  bool found = false;
  for (std::size_t i = 0; i < N; ++i) found = found || ids[i] == id;
  if (!found) return false;
  for (std::size_t i = 0; i < N; ++i) selected[i] = ids[i] == id;
  return true;
}

// The system clears every other button of the group on a click; the flags
// put back the other set's choice.
void ShowSelection(HWND dialog) {
  for (std::size_t i = 0; i < 4; ++i) {
    SendDlgItemMessageA(dialog, kModeButtons[i], BM_SETCHECK, ModeSelected[i], 0);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    SendDlgItemMessageA(dialog, kSkinButtons[i], BM_SETCHECK, SkinSelected[i], 0);
  }
}

template <std::size_t N>
int FirstSelected(const bool (&selected)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (selected[i]) return static_cast<int>(i) + 1;
  }
  return 1;
}

// The dialog's owner is the wizard window.
void PlaceOverOwner(HWND dialog) {
  RECT main;
  GetWindowRect(GetWindow(dialog, GW_OWNER), &main);
  SetWindowPos(dialog, nullptr, main.left, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

INT_PTR CALLBACK SkinDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    PlaceOverOwner(dialog);
    SelectIn(kModeButtons, ModeSelected, kTwoLineButton);
    SelectIn(kSkinButtons, SkinSelected, kFirstSkinButton);
    ShowSelection(dialog);
    return 0;
  }
  if (message != WM_COMMAND) return 0;
  const int id = LOWORD(wParam);
  if (id == kOkButton) {
    WindowMode = FirstSelected(ModeSelected);
    SkinChoice = FirstSelected(SkinSelected);
    EndDialog(dialog, 0);
    return 1;
  }
  if (SelectIn(kModeButtons, ModeSelected, id) || SelectIn(kSkinButtons, SkinSelected, id)) {
    ShowSelection(dialog);
  }
  return 0;
}

void RunSkinDialog(HWND owner) {
  WindowMode = 1;
  SkinChoice = 1;
  const char* templateName = IsTraditionalChinese() ? "PYKEYB" : "PYKEY";
  DialogBoxParamA(GetModuleHandleA(nullptr), templateName, owner, SkinDialogProc, 0);
}
