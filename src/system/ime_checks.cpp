#include "system/ime_checks.h"

#include <windows.h>

#include <cstring>

#include "core/program_list.h"
#include "system/message_box.h"
#include "system/narrow_text.h"
#include "system/preload_list.h"
#include "system/product_texts.h"
#include "system/seams.h"
#include "system/state.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "window texts are UTF-16");

namespace {

constexpr wchar_t kOnlyImeText[] =
    L"\u3000\u3000你以前安装的智能岚舟为系统默认输入法，并且是系统安装的唯一输入法，"
    L"请通过微软的输入法管理器增加英文输入法，并将智能岚舟输入法设置为系统非默认输入法后，"
    L"重新启动机器才能安装新版本的智能岚舟！";
constexpr wchar_t kDefaultImeText[] =
    L"\u3000\u3000你以前安装的智能岚舟为系统默认输入法，请设置为系统非默认输入法后，"
    L"重新启动机器才能安装新版本的智能岚舟！";
constexpr wchar_t kMakeNonDefaultQuestion[] = L"是否设置智能岚舟为系统非默认输入法？";
constexpr wchar_t kRestartText[] = L"请重新启动机器后安装智能岚舟！";
constexpr wchar_t kActiveImeText[] =
    L"\u3000\u3000你以前安装的岚舟五笔为系统默认输入法，请通过微软的输入法管理器将岚舟五笔"
    L"输入法设置为系统非默认输入法后，重新启动机器才能安装新版本的岚舟五笔！";
constexpr int kDescriptionLimit = 50;
constexpr char kImeUiClass[] = "UILZSR";
constexpr int kClassNameLimit = 100;
constexpr int kTitleLimit = 200;
// Without the work buffer the message names the programs that fit here.
constexpr std::size_t kFallbackUnits = 1024;

wchar_t FallbackMessage[kFallbackUnits];

// The input language of the installer's own thread is this IME when its
// description starts with the product name.
bool ThreadUsesThisIme() {
  char text[64] = {};
  HKL layout = GetKeyboardLayout(0);
  GetKeyboardLayoutNameA(text);
  Platform.ImmGetDescriptionA(layout, text, kDescriptionLimit);
  return StartsWithProductName(text);
}

BOOL CALLBACK CountImeWindow(HWND window, LPARAM context) {
  auto* message = reinterpret_cast<ProgramMessage*>(context);
  char className[kClassNameLimit] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, kImeUiClass) != 0) return TRUE;
  HWND program = GetParent(window);
  if (program == nullptr) {
    AddProgram(*message, nullptr);
    return TRUE;
  }
  for (HWND up = GetParent(program); up != nullptr; up = GetParent(up)) program = up;
  wchar_t title[kTitleLimit] = {};
  GetWindowTextW(program, title, kTitleLimit);
  AddProgram(*message, reinterpret_cast<const char16_t*>(title));
  return TRUE;
}

}  // namespace

int CheckDefaultIme() {
  if (FindImeInPreload() != 0 && PreloadTable.position == 1) {
    if (PreloadTable.count < 2) {
      ShowMessageW(kOnlyImeText, kInstallCaption, MB_OK);
      return 0;
    }
    ShowMessageW(kDefaultImeText, kInstallCaption, MB_OK);
    if (ShowMessageW(kMakeNonDefaultQuestion, kInstallCaption, MB_YESNO) != IDYES) return 0;
    MakeImeNonDefault();
    ShowMessageW(kRestartText, kInstallCaption, MB_OK);
    return 0;
  }
  if (ThreadUsesThisIme()) {
    ShowMessageW(kActiveImeText, kInstallCaption, MB_OK);
    return 0;
  }
  return 1;
}

int ListProgramsUsingIme() {
  const std::size_t units =
      WorkBuffer != nullptr ? kWorkBufferSize / sizeof(wchar_t) : kFallbackUnits;
  ProgramMessage message;
  StartProgramMessage(message, reinterpret_cast<char16_t*>(ProgramListMessage()), units);
  EnumWindows(CountImeWindow, reinterpret_cast<LPARAM>(&message));
  if (message.count > 0) FinishProgramMessage(message);
  return message.count;
}

wchar_t* ProgramListMessage() {
  return WorkBuffer != nullptr ? reinterpret_cast<wchar_t*>(WorkBuffer) : FallbackMessage;
}
