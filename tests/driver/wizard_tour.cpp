#include "wizard_tour.h"

namespace {

constexpr DWORD kStepTimeoutMs = 15000;
constexpr DWORD kInstallTimeoutMs = 180000;
const wchar_t kSkinCaption[] = L"智能岚舟皮肤及窗口模式选择";
const wchar_t kSkinCaptionTraditional[] = L"智能嵐舟皮膚及窗口模式選擇";

// Row colours of the welcome page and of the other pages, at x = 2 (left of
// every text and picture below the splash).
COLORREF WelcomeRow(int y) { return RGB(0, (2 * y - 112) & 0xFF, 250 - 140 * y / 310); }
COLORREF PageRow(int y) { return RGB(150 * y / 310, 255 * y / 310, 250 - 150 * y / 310); }

struct VisibleLine {
  int x, y;
  HWND found;
};

BOOL CALLBACK MatchLine(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<VisibleLine*>(context);
  if (!IsWindowVisible(child) || ClassName(child) != L"Edit") return TRUE;
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  if (rect.left != search->x || rect.top != search->y) return TRUE;
  search->found = child;
  return FALSE;
}

HWND WaitForLine(HWND wizard, int x, int y) {
  const DWORD start = GetTickCount();
  do {
    if (HWND line = EditLineAt(wizard, x, y)) return line;
    Sleep(50);
  } while (GetTickCount() - start < kStepTimeoutMs);
  return nullptr;
}

bool IsSkinDialog(HWND box) {
  const std::wstring caption = WindowText(box);
  return caption == kSkinCaption || caption == kSkinCaptionTraditional;
}

}  // namespace

void MoveAside(HWND dialog, HWND wizard) {
  RECT dialogFrame, wizardFrame;
  GetWindowRect(dialog, &dialogFrame);
  GetWindowRect(wizard, &wizardFrame);
  SetWindowPos(dialog, nullptr, wizardFrame.left - (dialogFrame.right - dialogFrame.left),
               wizardFrame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

void PressButton(HWND dialog, int id) {
  SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  Sleep(100);
}

class Tour {
 public:
  Tour(const Launched& installer, const TourChoices& choices, TourObserver& observer)
      : installer_(installer), choices_(choices), observer_(observer) {}

  TourRecord Run() {
    if (!Welcome() || !Addresses() || !Directory() || !Install()) {
      if (record_.failure.empty()) record_.failure = "the wizard did not go on";
    }
    record_.exitCode = WaitForExit(installer_, 20000);
    return record_;
  }

 private:
  bool Fail(const std::string& why) {
    record_.failure = why;
    return false;
  }

  void Shown(const std::string& name) {
    record_.pages.push_back(name);
    observer_.Page(name, wizard_);
  }

  bool Welcome() {
    wizard_ = WaitForWindow(installer_.processId, L"installWClass", kStepTimeoutMs);
    if (wizard_ == nullptr) return Fail("no wizard window");
    if (!WaitForPixel(wizard_, 2, 250, WelcomeRow(250), kStepTimeoutMs)) {
      return Fail("the welcome page was not painted");
    }
    Shown("0-welcome");
    return true;
  }

  bool Addresses() {
    ClickAt(wizard_, kConfirmX, kConfirmY);
    HWND organisation = WaitForLine(wizard_, 130, 165);
    HWND government = WaitForLine(wizard_, 130, 195);
    if (organisation == nullptr || government == nullptr) return Fail("no address lines");
    if (!WaitForPixel(wizard_, 2, 250, PageRow(250), kStepTimeoutMs)) {
      return Fail("the address page was not painted");
    }
    SendMessageW(organisation, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(choices_.organisationSite.c_str()));
    SendMessageW(government, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(choices_.governmentSite.c_str()));
    Sleep(100);
    Shown("1-addresses");
    return true;
  }

  bool Directory() {
    ClickAt(wizard_, kConfirmX, kConfirmY);
    pathLine_ = WaitForLine(wizard_, 120, 195);
    if (pathLine_ == nullptr) return Fail("no path line");
    // The directory page's embossed title leaves the background at (2, 250).
    Sleep(300);
    Shown("6-directory");
    return true;
  }

  // Answers what the installation shows until the try-it page or the end.
  bool Install() {
    ClickAt(wizard_, kConfirmX, kConfirmY);
    bool dialogDone = false;
    barSeen_ = false;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kInstallTimeoutMs) {
      if (WaitForExit(installer_, 0) != STILL_ACTIVE) return true;
      if (HWND box = WaitForMessageBox(installer_.processId, 0)) {
        if (IsSkinDialog(box)) {
          ChooseSkin(box);
          dialogDone = true;
        } else {
          Answer(box);
        }
        continue;
      }
      if (HWND other = OtherProgramsBox()) {
        record_.otherMessages.push_back(MessageBoxText(other));
        AnswerMessageBox(other, IDOK);
        Sleep(100);
        continue;
      }
      if (!barSeen_ && !dialogDone && EmptyBarShown()) {
        barSeen_ = true;
        Shown("7-installing");
      }
      if ((dialogDone || !choices_.skinDialog) && TryItPageShown()) return TryIt();
      Sleep(20);
    }
    return Fail("the installation did not end");
  }

  // A box of a program the installer started (setupw64.exe), never one of
  // the installer's own that has just become visible.
  HWND OtherProgramsBox() const {
    HWND box = WaitForMessageBoxTitled(L"智能岚舟", 0);
    DWORD owner = 0;
    if (box != nullptr) GetWindowThreadProcessId(box, &owner);
    return owner != installer_.processId ? box : nullptr;
  }

  void Answer(HWND box) {
    const std::wstring text = MessageBoxText(box);
    record_.messages.push_back(text);
    const int answer = observer_.MessageBox(box, wizard_);
    AnswerMessageBox(box, answer);
    // The same box must not be read twice while it closes.
    const DWORD start = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box) && GetTickCount() - start < 5000) Sleep(20);
  }

  // The timer empties the path line, which becomes the name line. A line
  // that reads empty because its installer is just ending does not count.
  bool TryItPageShown() const {
    if (!IsWindowVisible(pathLine_) || !WindowText(pathLine_).empty()) return false;
    Sleep(200);
    return WaitForExit(installer_, 0) == STILL_ACTIVE && IsWindowVisible(pathLine_) &&
           WindowText(pathLine_).empty();
  }

  // The empty bar over the path frame, outline and inside, on the directory
  // page that the installation draws again while it runs.
  bool EmptyBarShown() const {
    return PixelAt(wizard_, 358, 200) == RGB(255, 255, 255) &&
           PixelAt(wizard_, 31, 192) == RGB(255, 255, 255) &&
           PixelAt(wizard_, 30, 200) == RGB(0, 0, 0) && PixelAt(wizard_, 200, 217) == RGB(0, 0, 0) &&
           PixelAt(wizard_, 2, 250) == PageRow(250);
  }

  void ChooseSkin(HWND dialog) {
    record_.skinDialogCaption = WindowText(dialog);
    Sleep(300);
    observer_.SkinDialog(dialog);
    // The installation waits for the dialog: when the bar went by too fast
    // to be seen, what it drew stays still below the dialog.
    if (!barSeen_) {
      MoveAside(dialog, wizard_);
      Sleep(300);
      barSeen_ = true;
      Shown("7-installing");
    }
    PressButton(dialog, choices_.windowModeButton);
    PressButton(dialog, choices_.skinButton);
    PressButton(dialog, 105);
    const DWORD start = GetTickCount();
    while (IsWindow(dialog) && IsWindowVisible(dialog) && GetTickCount() - start < 5000) Sleep(20);
    Sleep(300);
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) Shown("7-processing");
  }

  // Page 8 after 1600 ms: the name line takes input; two clicks on the
  // confirm button end the installer.
  bool TryIt() {
    Sleep(300);
    for (wchar_t c : choices_.name) {
      SendMessageW(pathLine_, WM_CHAR, c, 1);
    }
    record_.nameLineText = WindowText(pathLine_);
    Shown("8-try-it");
    ClickAt(wizard_, kConfirmX, kConfirmY);
    Sleep(500);
    if (WaitForMessageBox(installer_.processId, 0) != nullptr) return Fail("one click ended page 8");
    Shown("9-try-it");
    ClickAt(wizard_, kConfirmX, kConfirmY);
    HWND box = WaitForMessageBox(installer_.processId, kStepTimeoutMs);
    if (box == nullptr) return Fail("no closing message");
    Answer(box);
    return true;
  }

  const Launched& installer_;
  const TourChoices& choices_;
  TourObserver& observer_;
  TourRecord record_;
  HWND wizard_ = nullptr;
  HWND pathLine_ = nullptr;
  bool barSeen_ = false;
};

}  // namespace

HWND EditLineAt(HWND wizard, int x, int y) {
  VisibleLine search = {x, y, nullptr};
  EnumChildWindows(wizard, MatchLine, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitForPixel(HWND window, int x, int y, COLORREF colour, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    if (PixelAt(window, x, y) == colour) return true;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return false;
}

TourRecord InstallThroughWizard(const Launched& installer, const TourChoices& choices,
                                TourObserver& observer) {
  return Tour(installer, choices, observer).Run();
}
