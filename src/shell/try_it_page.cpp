#include "shell/try_it_page.h"

#include "shell/page_painting.h"
#include "shell/texts.h"
#include "shell/wizard_window.h"
#include "system/ime_registration.h"
#include "system/product_texts.h"
#include "system/seams.h"
#include "system/state.h"

void ActivateTryItLayout() {
  if (PageNumber < 7) return;
  // A layout without an IME description leaves its eight-digit name here.
  // Only the GBK form of the product's name counts: Big5 descriptions never
  // match.
  char active[64] = {};
  GetKeyboardLayoutNameA(active);
  Platform.ImmGetDescriptionA(GetKeyboardLayout(0), active, 50);
  if (StartsWithProductName(active)) return;

  const HKL layout = FindTryItLayout();
  // A refused activation is not detected: the name line then stays a plain
  // input line.
  if (layout != nullptr) Platform.ActivateKeyboardLayout(layout, KLF_SETFORPROCESS);
}

void PaintTryItPage(HDC dc) {
  PaintPageBackground(dc);
  SetBkMode(dc, TRANSPARENT);
  DrawEmbossedGbkTitle(dc, 30, 20, TitleFont, L"欢迎使用岚舟系统");
  SelectObject(dc, TextFont);
  DrawPinkGbkSubtitle(dc, L"欢迎使用岚舟输入系统");
  DrawGbkText(dc, 50, 130, kWhite, L"智能岚舟已经安装在你的系统中!");
  DrawGbkText(dc, 50, 155, kWhite, L"请在下面的框中试着用岚舟系统输入你的姓名。");
  DrawGbkText(dc, 10, 190, kWhite, L"请输入你的姓名：");
  DrawButtonBevels(dc);
  DrawButtonCaptions(dc, kFinishButtonText, kExitButtonText);
  ActivateTryItLayout();
}
