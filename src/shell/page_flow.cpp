#include "shell/page_flow.h"

#include "core/install_dir_rules.h"
#include "data/config_files.h"
#include "data/install_dir.h"
#include "data/install_report.h"
#include "data/user_data.h"
#include "payload/finish_install.h"
#include "shell/page_painting.h"
#include "shell/payload_memory.h"
#include "shell/try_it_page.h"
#include "shell/wizard_window.h"
#include "system/ime_checks.h"
#include "system/install_sequence.h"
#include "system/message_box.h"
#include "system/narrow_text.h"
#include "system/platform.h"
#include "system/product_texts.h"
#include "system/run_result.h"
#include "system/state.h"

#include <cstring>

bool WizardBusy;

namespace {

constexpr UINT_PTR kTryItTimer = 2;
constexpr UINT kTryItDelayMs = 1600;

// Both edges of a button count.
bool Hits(const RECT& button, int x, int y) {
  return x >= button.left && x <= button.right && y >= button.top && y <= button.bottom;
}

void Repaint() { InvalidateRect(MainWindow, nullptr, FALSE); }

// The WM_DESTROY handling frees everything and ends the message loop.
void Close(WPARAM wParam, LPARAM lParam) { PostMessageA(MainWindow, WM_DESTROY, wParam, lParam); }

void ShowLine(HWND line) {
  ShowWindow(line, SW_HIDE);
  ShowWindow(line, SW_SHOW);
}

void HideAndDestroy(HWND& line) {
  ShowWindow(line, SW_HIDE);
  DestroyWindow(line);
  line = nullptr;
}

void SiteAddressStep() {
  HDC dc = GetDC(MainWindow);
  PaintSiteAddressPage(dc);
  ReleaseDC(MainWindow, dc);
  ShowLine(SiteLine2);
  ShowLine(SiteLine1);
  if (PageNumber == 0) {
    ReadSiteAddresses();
    SetWindowTextA(SiteLine1, SiteAddress1);
    SetWindowTextA(SiteLine2, SiteAddress2);
  }
  ResolveInstallDir();
  char organisationSite[kSiteAddressSize];
  char governmentSite[kSiteAddressSize];
  GetWindowTextA(SiteLine1, organisationSite, sizeof organisationSite);
  GetWindowTextA(SiteLine2, governmentSite, sizeof governmentSite);
  TakeSiteAddresses(organisationSite, governmentSite);
  if (PageNumber == 0) {
    PageNumber = 1;
  } else {
    HideAndDestroy(SiteLine2);
    HideAndDestroy(SiteLine1);
    PageNumber = 5;
    ShowLine(PathLine);
    GetSystemDirectoryA(SharedDirBuffer, sizeof SharedDirBuffer);
    ResolveInstallDir();
    if (std::strlen(InstallDir) < 3) SetInstallDir(kDefaultInstallDir);
    SetWindowTextA(PathLine, InstallDir);
    Repaint();
    // Nothing is written through a directory that is a link.
    if (!InstallDirIsLink()) WriteConfigFiles();
    PageNumber = 6;
  }
  Repaint();
}

// A file in use that was moved aside is let go of only by a restart.
void Finish(WPARAM wParam, LPARAM lParam) {
  if (InstallReport() == 0) {
    ShowMessageW(RestartCompletes() ? L"安装完毕，请立即重新启动计算机！"
                                    : L"安装完毕，如不能使用，请重新启动计算机！",
                 kProductCaption, MB_OK);
  }
  Close(wParam, lParam);
}

void InstallStep(WPARAM wParam, LPARAM lParam) {
  PageNumber = 7;
  // Nothing can be installed without the payload and the work buffer.
  if (!PayloadMemoryReady()) {
    Close(wParam, lParam);
    return;
  }
  if (CheckDefaultIme() == 0) {
    Close(wParam, lParam);
    return;
  }
  if (ListProgramsUsingIme() > 0) {
    ShowMessageW(ProgramListMessage(), kProductCaption, MB_OK);
    PageNumber = 6;
    return;
  }
  // The path line gives at most 197 characters.
  char chosenDir[198];
  GetWindowTextA(PathLine, chosenDir, sizeof chosenDir);
  SetInstallDir(chosenDir);
  if (CheckInstallDir(InstallDir, AnsiLeadBytes()) == 0 || InstallDirIsLink()) {
    ShowMessageW(L"智能岚舟不能安装在你设定的路径下，请重新设定路径！", kProductCaption, MB_OK);
    SetInstallDir(kDefaultInstallDir);
    SetWindowTextA(PathLine, InstallDir);
    PageNumber = 6;
    return;
  }
  RunInstall(chosenDir);
  // An early end installed nothing and has told the user why: there is
  // nothing to check, choose, adjust, restore or try.
  if (RestartFlag == 1) {
    Close(wParam, lParam);
    return;
  }
  FinishFileInstall(MainWindow);
  if (!WriteSettingsRecord()) NoteIncomplete("lzszsj43.lzh not rewritten");
  if (OldDataState == kOldDataKeep) RestoreUserData();
  if (IsWindows64()) {
    Repaint();
    SetTimer(MainWindow, kTryItTimer, kTryItDelayMs, nullptr);
    return;
  }
  Finish(wParam, lParam);
}

void ConfirmClicked(WPARAM wParam, LPARAM lParam) {
  if (PageNumber <= 4) {
    SiteAddressStep();
  } else if (PageNumber == 6) {
    InstallStep(wParam, lParam);
  } else if (PageNumber == 7) {
    Repaint();
  } else if (PageNumber == 8) {
    PageNumber = 9;
    Repaint();
  } else if (PageNumber >= 9) {
    Finish(wParam, lParam);
  }
}

}  // namespace

void HandleClick(WPARAM wParam, LPARAM lParam) {
  if (WizardBusy) return;
  const int x = LOWORD(lParam);
  const int y = HIWORD(lParam);
  WizardBusy = true;
  if (Hits(ExitButtonRect, x, y)) {
    if (PageNumber < 8) {
      Close(wParam, lParam);
    } else {
      Finish(wParam, lParam);
    }
  } else if (Hits(ConfirmButtonRect, x, y)) {
    ConfirmClicked(wParam, lParam);
  }
  WizardBusy = false;
}

void ShowTryItPage() {
  KillTimer(MainWindow, kTryItTimer);
  PageNumber = 8;
  SetWindowTextA(PathLine, "");
  Repaint();
}

void PaintCurrentPage(HDC dc) {
  if (PageNumber <= 0) {
    PaintWelcomePage(dc);
  } else if (PageNumber <= 4) {
    PaintSiteAddressPage(dc);
  } else if (PageNumber <= 6) {
    PaintDirectoryPage(dc);
  } else if (PageNumber == 7) {
    PaintProcessingPage(dc);
  } else {
    PaintTryItPage(dc);
  }
}
