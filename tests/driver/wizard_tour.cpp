#include "driver.h"

namespace {

constexpr DWORD kStepMs = 15000;

// A page is painted once its background at x = 2, left of every text and
// picture, differs from `before` and holds still for a moment.
COLORREF WaitForPage(HWND window, COLORREF before) {
  COLORREF seen = CLR_INVALID;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < kStepMs; Sleep(100)) {
    const COLORREF now = PixelAt(window, 2, 250);
    if (now == seen && now != before) return now;
    seen = now;
  }
  return CLR_INVALID;
}

struct LineSearch {
  int x, y;
  HWND found;
};

BOOL CALLBACK MatchLine(HWND child, LPARAM context) {
  auto* line = reinterpret_cast<LineSearch*>(context);
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  if (!IsWindowVisible(child) || rect.left != line->x || rect.top != line->y) return TRUE;
  line->found = child;
  return FALSE;
}

}  // namespace

HWND EditLineAt(HWND wizard, int x, int y) {
  LineSearch search = {x, y, nullptr};
  for (const DWORD start = GetTickCount(); GetTickCount() - start < kStepMs; Sleep(50)) {
    EnumChildWindows(wizard, MatchLine, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) break;
  }
  return search.found;
}

namespace {

void WaitGone(HWND window) {
  for (const DWORD start = GetTickCount();
       IsWindow(window) && IsWindowVisible(window) && GetTickCount() - start < 5000;) {
    Sleep(20);
  }
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
    // The try-it page comes once the installation is whole.
    if (!record_.nameLineText.empty()) AnswerLateBox(&record_.otherMessages);
    return record_;
  }

 private:
  bool Fail(const char* why) {
    record_.failure = why;
    return false;
  }

  void Shown(const std::string& name) {
    record_.pages.push_back(name);
    observer_.Page(name, wizard_);
  }

  bool Welcome() {
    wizard_ = WaitForWindow(installer_.processId, L"installWClass", kStepMs);
    if (wizard_ == nullptr) return Fail("no wizard window");
    welcome_ = WaitForPage(wizard_, RGB(255, 255, 255));  // the window's own white
    if (welcome_ == CLR_INVALID) return Fail("the welcome page was not painted");
    Shown("0-welcome");
    return true;
  }

  bool Addresses() {
    ClickAt(wizard_, kConfirmX, kConfirmY);
    HWND organisation = EditLineAt(wizard_, 130, 165), government = EditLineAt(wizard_, 130, 195);
    if (organisation == nullptr || government == nullptr) return Fail("no address lines");
    background_ = WaitForPage(wizard_, welcome_);
    if (background_ == CLR_INVALID) return Fail("the address page was not painted");
    SendMessageW(organisation, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"www.danwei.example.cn"));
    SendMessageW(government, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"www.zhengfu.example.gov.cn"));
    Sleep(100);
    Shown("1-addresses");
    return true;
  }

  bool Directory() {
    ClickAt(wizard_, kConfirmX, kConfirmY);
    pathLine_ = EditLineAt(wizard_, 120, 195);
    if (pathLine_ == nullptr) return Fail("no path line");
    Sleep(300);
    Shown("6-directory");
    return true;
  }

  // Answers what the installation shows until the try-it page or the end.
  bool Install() {
    ClickAt(wizard_, kConfirmX, kConfirmY);
    bool dialogDone = false;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 180000; Sleep(20)) {
      if (WaitForExit(installer_, 0) != STILL_ACTIVE) return true;
      if (HWND box = WaitForMessageBox(installer_.processId, 0)) {
        const std::wstring caption = WindowText(box);
        if (caption == L"智能岚舟皮肤及窗口模式选择" || caption == L"智能嵐舟皮膚及窗口模式選擇") {
          ChooseSkin(box);
          dialogDone = true;
        } else {
          Answer(box);
        }
        continue;
      }
      // A box of a program the installer started, never one of its own
      // that has just become visible.
      HWND other = WaitForWindow(0, L"#32770", 0, kCaption);
      DWORD owner = 0;
      if (other != nullptr) GetWindowThreadProcessId(other, &owner);
      if (other != nullptr && owner != installer_.processId) {
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
    }
    return Fail("the installation did not end");
  }

  void Answer(HWND box) {
    record_.messages.push_back(MessageBoxText(box));
    AnswerMessageBox(box, observer_.MessageBox(box, wizard_));
    WaitGone(box);
  }

  // The timer empties the path line, which becomes the name line; a line
  // that reads empty because its installer is just ending does not count.
  bool TryItPageShown() const {
    if (!IsWindowVisible(pathLine_) || !WindowText(pathLine_).empty()) return false;
    Sleep(200);
    return WaitForExit(installer_, 0) == STILL_ACTIVE && IsWindowVisible(pathLine_) &&
           WindowText(pathLine_).empty();
  }

  // The empty bar over the path frame, on the directory page that the
  // installation draws again while it runs.
  bool EmptyBarShown() const {
    return PixelAt(wizard_, 358, 200) == RGB(255, 255, 255) &&
           PixelAt(wizard_, 30, 200) == RGB(0, 0, 0) && PixelAt(wizard_, 2, 250) == background_;
  }

  void ChooseSkin(HWND dialog) {
    record_.skinDialogCaption = WindowText(dialog);
    Sleep(300);
    observer_.Page("7-skin-dialog", dialog);
    // The installation waits for the dialog: what the bar drew, when it went
    // by too fast to be seen, stays still below the dialog moved aside.
    if (!barSeen_) {
      RECT dialogFrame, wizardFrame;
      GetWindowRect(dialog, &dialogFrame);
      GetWindowRect(wizard_, &wizardFrame);
      SetWindowPos(dialog, nullptr, wizardFrame.left - (dialogFrame.right - dialogFrame.left),
                   wizardFrame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Sleep(300);
      barSeen_ = true;
      Shown("7-installing");
    }
    for (int button : {choices_.windowModeButton, choices_.skinButton, 105}) {
      SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
      Sleep(100);
    }
    WaitGone(dialog);
    Sleep(300);
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) Shown("7-processing");
  }

  // Page 8: the name line takes input; two clicks end the installer.
  bool TryIt() {
    Sleep(300);
    for (wchar_t c : std::wstring(L"lanzhu")) SendMessageW(pathLine_, WM_CHAR, c, 1);
    record_.nameLineText = WindowText(pathLine_);
    Shown("8-try-it");
    ClickAt(wizard_, kConfirmX, kConfirmY);
    Sleep(500);
    if (WaitForMessageBox(installer_.processId, 0) != nullptr) return Fail("one click ended page 8");
    Shown("9-try-it");
    ClickAt(wizard_, kConfirmX, kConfirmY);
    HWND box = WaitForMessageBox(installer_.processId, kStepMs);
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
  COLORREF welcome_ = CLR_INVALID, background_ = CLR_INVALID;  // at x = 2 of each
  bool barSeen_ = false;
};

}  // namespace

TourRecord InstallThroughWizard(const Launched& installer, const TourChoices& choices,
                                TourObserver& observer) {
  return Tour(installer, choices, observer).Run();
}
