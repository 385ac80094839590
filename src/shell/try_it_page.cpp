#include "shell/try_it_page.h"

#include <cstring>

#include "shell/page_painting.h"
#include "shell/run_state.h"
#include "shell/wizard_window.h"
#include "system/ime_registration.h"
#include "system/narrow_text.h"
#include "system/seams.h"

namespace {

// A layout is this IME's when its description starts with the product name
// in GBK; what follows (the version) is not looked at. Big5 descriptions
// never match.
constexpr std::size_t kProductNameBytes = 16;
constexpr int kMaxLayouts = 50;

bool IsProductDescription(const char* description, const char (&productName)[32]) {
  return std::memcmp(description, productName, kProductNameBytes) == 0;
}

HKL FindImeLayout(const char (&productName)[32]) {
  HKL layouts[kMaxLayouts] = {};
  const int count = Platform.GetKeyboardLayoutList(kMaxLayouts, layouts);
  char description[80] = {};
  for (int i = 0; i < count; ++i) {
    Platform.ImmGetDescriptionA(layouts[i], description, sizeof description);
    if (IsProductDescription(description, productName)) return layouts[i];
  }
  return nullptr;
}

}  // namespace

void ActivateTryItLayout() {
  if (PageNumber < 7) return;
  char productName[32];
  ToNarrow(L"智能岚舟输入平台", kGbkCodePage, productName, sizeof productName);

  // A layout without an IME description leaves its eight-digit name here.
  char active[64] = {};
  GetKeyboardLayoutNameA(active);
  Platform.ImmGetDescriptionA(GetKeyboardLayout(0), active, 50);
  if (IsProductDescription(active, productName)) return;

  if (ImeLayoutHandle == nullptr) ImeLayoutHandle = FindImeLayout(productName);
  // A refused activation is not detected: the name line then stays a plain
  // input line.
  if (ImeLayoutHandle != nullptr) Platform.ActivateKeyboardLayout(ImeLayoutHandle, KLF_SETFORPROCESS);
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
  DrawButtonCaptions(dc, L"确 定 退 出", L"放 弃 退 出");
  ActivateTryItLayout();
}
