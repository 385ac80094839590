#include "system/preload_list.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "system/ime_texts.h"
#include "system/message_box.h"
#include "system/narrow_text.h"
#include "system/platform.h"
#include "system/registry_text.h"
#include "system/run_result.h"

PreloadTableState PreloadTable;

namespace {

// The 9x family keeps one subkey per place, holding the id as its default
// value.
const char kPreload9xKey[] = "keyboard layout\\preload";
const char kDefaultUserLayoutKey[] = ".DEFAULT\\keyboard layout";
// The GBK bytes of "智能岚舟输入" that mark this IME's layout text.
constexpr std::size_t kImeNameBytes = 12;

std::string PlaceName(int place) { return std::to_string(place); }

int ReadIds() {
  int count = 0;
  if (IsWin9xFamily()) {
    HKEY preload;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPreload9xKey, 0, KEY_READ, &preload) != ERROR_SUCCESS) {
      return -1;
    }
    for (; count < kPreloadPlaces; ++count) {
      HKEY place;
      if (RegOpenKeyExA(preload, PlaceName(count + 1).c_str(), 0, KEY_ALL_ACCESS, &place) !=
          ERROR_SUCCESS) {
        break;
      }
      ReadRegistryText(place, nullptr, PreloadTable.ids[count], kLayoutIdSize);
      RegCloseKey(place);
    }
    RegCloseKey(preload);
    return count;
  }
  HKEY layout;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserLayoutKey, 0, KEY_READ, &layout) != ERROR_SUCCESS) {
    return -1;
  }
  HKEY preload;
  if (RegOpenKeyExA(layout, kPreloadKey, 0, KEY_ALL_ACCESS, &preload) == ERROR_SUCCESS) {
    while (count < kPreloadPlaces &&
           ReadRegistryText(preload, PlaceName(count + 1).c_str(), PreloadTable.ids[count],
                            kLayoutIdSize)) {
      ++count;
    }
    RegCloseKey(preload);
  }
  RegCloseKey(layout);
  return count;
}

// Writes ids[k-1] to place k for k = first..last. Returns 0 when the parent
// key cannot be opened, which ends the whole write.
int WritePlaces(HKEY root, const char* layoutKey, const char (*ids)[kLayoutIdSize], int first,
                int last) {
  HKEY layout;
  if (RegOpenKeyExA(root, layoutKey, 0, KEY_READ, &layout) != ERROR_SUCCESS) return 0;
  HKEY preload;
  if (RegOpenKeyExA(layout, kPreloadKey, 0, KEY_ALL_ACCESS, &preload) == ERROR_SUCCESS) {
    for (int place = first; place <= last; ++place) {
      WriteRegistryText(preload, PlaceName(place).c_str(), ids[place - 1]);
    }
    RegCloseKey(preload);
  }
  RegCloseKey(layout);
  return 1;
}

void WritePlaces9x(const char (*ids)[kLayoutIdSize], int first, int last) {
  HKEY preload;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kPreload9xKey, 0, KEY_READ, &preload) != ERROR_SUCCESS) {
    return;
  }
  for (int place = first; place <= last; ++place) {
    HKEY key;
    if (RegOpenKeyExA(preload, PlaceName(place).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
      continue;
    }
    WriteRegistryText(key, nullptr, ids[place - 1]);
    RegCloseKey(key);
  }
  RegCloseKey(preload);
}

// The user's list and, on the NT family, the default user's copy.
void WriteBothLists(const char (*ids)[kLayoutIdSize], int first, int last) {
  if (IsWin9xFamily()) {
    WritePlaces9x(ids, first, last);
    return;
  }
  if (!WritePlaces(HKEY_CURRENT_USER, kUserLayoutKey, ids, first, last)) return;
  WritePlaces(HKEY_USERS, kDefaultUserLayoutKey, ids, first, last);
}

void ReportPreloadOpenError() {
  NoteIncomplete("the user's keyboard-layout list cannot be opened");
  char caption[64];
  ToNarrow(kWubiCaption, kGbkCodePage, caption, sizeof caption);
  ShowMessageA(kPreloadOpenError, caption, MB_OK);
}

void AppendToNtList(HKEY layout, const char* id) {
  HKEY preload;
  if (RegOpenKeyExA(layout, kPreloadKey, 0, KEY_ALL_ACCESS, &preload) != ERROR_SUCCESS) return;
  int place = 1;
  for (; place <= kPreloadPlaces; ++place) {
    char stored[kLayoutTextSize] = {};
    if (!ReadRegistryText(preload, PlaceName(place).c_str(), stored, sizeof stored)) break;
    const PreloadMatch match = ComparePreloadId(stored, id, false);
    if (match == PreloadMatch::kSameNumberOtherLanguage) break;
    if (match == PreloadMatch::kSame) {
      RegCloseKey(preload);
      return;
    }
  }
  // A full list gives up its last place.
  if (place > kPreloadPlaces) place = kPreloadPlaces;
  WriteRegistryText(preload, PlaceName(place).c_str(), id);
  RegCloseKey(preload);
}

// Creates (or opens) the 9x place and makes the id its default value.
void WriteCreatedPlace(HKEY preload, int place, const char* id) {
  HKEY key;
  if (RegCreateKeyExA(preload, PlaceName(place).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  WriteRegistryText(key, nullptr, id);
  RegCloseKey(key);
}

void AppendTo9xList(HKEY preload, const char* id) {
  for (int place = 1; place <= kPreloadPlaces; ++place) {
    HKEY key;
    if (RegOpenKeyExA(preload, PlaceName(place).c_str(), 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS) {
      WriteCreatedPlace(preload, place, id);
      return;
    }
    char stored[kLayoutTextSize] = {};
    // A place without a readable id is passed over, not taken.
    const PreloadMatch match = ReadRegistryText(key, nullptr, stored, sizeof stored)
                                   ? ComparePreloadId(stored, id, true)
                                   : PreloadMatch::kOther;
    if (match == PreloadMatch::kSameNumberOtherLanguage) WriteRegistryText(key, nullptr, id);
    RegCloseKey(key);
    if (match != PreloadMatch::kOther) return;
  }
  WriteCreatedPlace(preload, kPreloadPlaces, id);
}

}  // namespace

int ReadPreloadList() {
  PreloadTable.count = 0;
  const int count = ReadIds();
  if (count < 0) return 0;
  HKEY layouts;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutsKey, 0, KEY_READ, &layouts) !=
      ERROR_SUCCESS) {
    return 0;
  }
  for (int slot = 0; slot < count; ++slot) {
    HKEY layout;
    if (RegOpenKeyExA(layouts, PreloadTable.ids[slot], 0, KEY_ALL_ACCESS, &layout) !=
        ERROR_SUCCESS) {
      continue;
    }
    ReadRegistryText(layout, "layout text", PreloadTable.texts[slot], kLayoutTextSize);
    RegCloseKey(layout);
  }
  RegCloseKey(layouts);
  PreloadTable.count = count;
  return count;
}

int FindImeInPreload() {
  PreloadTable.found = 0;
  PreloadTable.position = 0;
  PreloadTable.count = 0;
  if (IsWindows64()) return 0;
  const int count = ReadPreloadList();
  // Only the GBK form is looked for, also on a traditional Chinese system.
  char name[kImeNameBytes + 1];
  ToNarrow(kImeNameInPreload, kGbkCodePage, name, sizeof name);
  for (int slot = 0; slot < count; ++slot) {
    if (std::memcmp(PreloadTable.texts[slot], name, kImeNameBytes) == 0) {
      PreloadTable.found = 1;
      PreloadTable.position = slot + 1;
      return 1;
    }
  }
  return 0;
}

void PromoteImeInPreload() {
  if (!PreloadTable.found || PreloadTable.count < 3 || PreloadTable.position < 3 ||
      WindowsMajorVersion > 5) {
    return;
  }
  PromoteToSecondPlace(PreloadTable.ids, PreloadTable.count, PreloadTable.position);
  WriteBothLists(PreloadTable.ids, 2, PreloadTable.count);
}

void MakeImeNonDefault() {
  char swapped[2][kLayoutIdSize];
  std::memcpy(swapped[0], PreloadTable.ids[1], kLayoutIdSize);
  std::memcpy(swapped[1], PreloadTable.ids[0], kLayoutIdSize);
  WriteBothLists(swapped, 1, 2);
}

void AppendImeToPreload(const char* layoutId) {
  const bool win9x = IsWin9xFamily();
  std::string id = layoutId;
  FoldLayoutId(&id[0], win9x);
  // The user's keyboard-layout key on the NT family, the list itself on 9x.
  HKEY parent;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, win9x ? kPreload9xKey : kUserLayoutKey, 0, KEY_READ,
                    &parent) != ERROR_SUCCESS) {
    ReportPreloadOpenError();
    return;
  }
  if (win9x) {
    AppendTo9xList(parent, id.c_str());
  } else {
    AppendToNtList(parent, id.c_str());
  }
  RegCloseKey(parent);
}
