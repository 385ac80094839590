#include "system/ime_registration.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "core/layout_ids.h"
#include "system/ime_texts.h"
#include "system/message_box.h"
#include "system/narrow_text.h"
#include "system/platform.h"
#include "system/preload_list.h"
#include "system/product_texts.h"
#include "system/registry_text.h"
#include "system/run_result.h"
#include "system/seams.h"
#include "system/state.h"

namespace {

constexpr DWORD kSubkeyNameSize = 200;
constexpr int kMaxTryItLayouts = 50;

// The IME is not registered: the run is incomplete, and the user is told.
void ReportFailure(const char* what, const char* text9x, const wchar_t* caption) {
  NoteIncomplete("%s", what);
  char text[128];
  if (IsWin9xFamily()) {
    std::snprintf(text, sizeof text, "%s", text9x);
  } else {
    ToNarrow(kNeedAdminText, kGbkCodePage, text, sizeof text);
  }
  char narrowCaption[64];
  ToNarrow(caption, kGbkCodePage, narrowCaption, sizeof narrowCaption);
  ShowMessageA(text, narrowCaption, MB_OK);
}

// Every subkey name, highest index first. The list grows with the key: a
// system may hold any number of layouts.
std::vector<std::string> LayoutNames(HKEY layouts) {
  DWORD count = 0;
  RegQueryInfoKeyA(layouts, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr);
  std::vector<std::string> names;
  for (DWORD index = count + 1; index-- > 0;) {
    char name[kSubkeyNameSize] = {};
    DWORD size = sizeof name;
    const LONG result =
        RegEnumKeyExA(layouts, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) continue;
    name[sizeof name - 1] = '\0';
    names.push_back(name);
  }
  return names;
}

// Finds an earlier entry of this IME among `names` and returns it open, its
// name in `id`; otherwise returns null with the largest id that has a
// readable layout text.
HKEY FindEarlierEntry(HKEY layouts, const std::vector<std::string>& names, bool traditional,
                      std::string* id, std::uint32_t* largest) {
  *largest = 0;
  for (const std::string& name : names) {
    HKEY layout;
    if (RegOpenKeyExA(layouts, name.c_str(), 0, KEY_ALL_ACCESS, &layout) != ERROR_SUCCESS) continue;
    char text[kLayoutTextSize] = {};
    if (!ReadRegistryText(layout, "layout text", text, sizeof text)) {
      RegCloseKey(layout);
      continue;
    }
    // The product's name marks an entry of this IME whatever version follows.
    if (StartsWithProductName(text, traditional)) {
      *id = name;
      return layout;
    }
    const std::uint32_t number = static_cast<std::uint32_t>(std::strtoul(name.c_str(), nullptr, 16));
    if (number > *largest) *largest = number;
    RegCloseKey(layout);
  }
  return nullptr;
}

}  // namespace

int InstallIme() {
  wchar_t systemDir[100] = {};
  GetSystemDirectoryW(systemDir, 100);
  wchar_t module[128];
  std::swprintf(module, sizeof module / sizeof module[0], L"%ls\\lanzhu4.ime", systemDir);
  ImeLayoutHandle = Platform.ImmInstallIMEW(module, kImeDescription);
  return ImeLayoutHandle != nullptr;
}

void WriteImeLayoutKey() {
  const bool traditional = IsTraditionalChinese();
  char layoutText[kLayoutTextSize];
  ToNarrow(traditional ? kImeDescriptionTraditional : kImeDescription,
           traditional ? kBig5CodePage : kGbkCodePage, layoutText, sizeof layoutText);

  HKEY layouts;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutsKey, 0, KEY_READ, &layouts) !=
      ERROR_SUCCESS) {
    ReportFailure("the keyboard layouts cannot be opened", kLayoutsOpenError9x, kProductCaption);
    return;
  }
  const std::vector<std::string> names = LayoutNames(layouts);
  std::string id;
  std::uint32_t largest = 0;
  HKEY layout = FindEarlierEntry(layouts, names, traditional, &id, &largest);
  if (layout == nullptr) {
    char next[kLayoutIdSize];
    if (!NextLayoutId(largest, traditional, names, next)) {
      RegCloseKey(layouts);
      ReportFailure("no keyboard-layout id is free", kLayoutCreateError9x, kWubiCaption);
      return;
    }
    id = next;
  } else if (!HasLayoutLanguage(id.c_str(), traditional)) {
    // An entry of the other language keeps its number and takes ours.
    RegCloseKey(layout);
    layout = nullptr;
    RegDeleteKeyA(layouts, id.c_str());
    SetLayoutLanguage(&id[0], traditional);
  }
  if (layout == nullptr &&
      RegCreateKeyExA(layouts, id.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &layout,
                      nullptr) != ERROR_SUCCESS) {
    RegCloseKey(layouts);
    ReportFailure("the keyboard-layout entry cannot be created", kLayoutCreateError9x,
                  kWubiCaption);
    return;
  }
  LogStep("keyboard-layout entry %s written", id.c_str());
  WriteRegistryText(layout, "IME file", "LANZHU4.IME");
  WriteRegistryText(layout, "layout file", IsWin9xFamily() ? "kbdus.kbd" : "kbdus.dll");
  WriteRegistryText(layout, "layout text", layoutText);
  RegCloseKey(layout);
  RegCloseKey(layouts);
  AppendImeToPreload(id.c_str());
}

void RegisterIme() {
  if (InstallIme()) {
    LogStep("IME registered by the input-method manager");
    return;
  }
  LogStep("the input-method manager refused the IME; registering it in the registry");
  WriteImeLayoutKey();
}

HKL FindTryItLayout() {
  if (ImeLayoutHandle != nullptr) return ImeLayoutHandle;
  HKL layouts[kMaxTryItLayouts] = {};
  const int count = Platform.GetKeyboardLayoutList(kMaxTryItLayouts, layouts);
  // Not cleared between candidates: a shorter description leaves the end of
  // the one before.
  char description[80] = {};
  for (int i = 0; i < count; ++i) {
    Platform.ImmGetDescriptionA(layouts[i], description, sizeof description);
    if (StartsWithProductName(description)) {
      ImeLayoutHandle = layouts[i];
      break;
    }
  }
  return ImeLayoutHandle;
}
