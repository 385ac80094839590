#include "system/ime_removal.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/layout_ids.h"
#include "system/ime_texts.h"
#include "system/platform.h"
#include "system/preload_list.h"
#include "system/registry_text.h"
#include "system/run_result.h"
#include "system/seams.h"

namespace {

// More than a system ever registers for one IME.
constexpr int kMaxLayouts = 256;
// A preload place as stored, whatever its type: a place that stays is written
// back byte for byte.
constexpr DWORD kPlaceDataSize = 256;

struct ImeLayouts {
  char ids[kMaxLayouts][kLayoutIdSize];
  unsigned long views[kMaxLayouts];
  int count;
};

struct ModuleFiles {
  char names[3][kDirBufferSize + 16];
  int count;
};

// The names a layout may give the module by: what the registry fallback
// writes, and the paths the input-method manager was handed.
ModuleFiles ModuleFileNames() {
  ModuleFiles files = {};
  std::snprintf(files.names[files.count++], sizeof files.names[0], "%s", kImeModuleName);
  ModuleDir dirs[2];
  const int count = ModuleSystemDirs(dirs);
  for (int i = 0; i < count; ++i) {
    std::snprintf(files.names[files.count++], sizeof files.names[0], "%s\\%s", dirs[i].atRestart,
                  kImeModuleName);
  }
  return files;
}

bool NamesModule(HKEY layouts, const char* id, unsigned long view, const ModuleFiles& files) {
  HKEY layout;
  if (RegOpenKeyExA(layouts, id, 0, KEY_QUERY_VALUE | view, &layout) != ERROR_SUCCESS) return false;
  char file[kLayoutTextSize] = {};
  const bool read = ReadRegistryText(layout, "Ime File", file, sizeof file);
  RegCloseKey(layout);
  for (int i = 0; read && i < files.count; ++i) {
    if (lstrcmpiA(file, files.names[i]) == 0) return true;
  }
  return false;
}

void FindInView(unsigned long view, const ModuleFiles& files, ImeLayouts* found) {
  HKEY layouts;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutsKey, 0, KEY_READ | view, &layouts) !=
      ERROR_SUCCESS) {
    return;
  }
  for (DWORD index = 0; found->count < kMaxLayouts; ++index) {
    // A name too long for a layout id is no keyboard layout Windows loads.
    char id[kLayoutIdSize];
    DWORD size = sizeof id;
    const LONG listed =
        RegEnumKeyExA(layouts, index, id, &size, nullptr, nullptr, nullptr, nullptr);
    if (listed == ERROR_NO_MORE_ITEMS) break;
    if (listed != ERROR_SUCCESS || !NamesModule(layouts, id, view, files)) continue;
    std::memcpy(found->ids[found->count], id, sizeof id);
    found->views[found->count++] = view;
  }
  RegCloseKey(layouts);
}

void FindImeLayouts(ImeLayouts* found) {
  found->count = 0;
  const ModuleFiles files = ModuleFileNames();
  unsigned long views[2];
  const int viewCount = RegistryViews(views);
  for (int i = 0; i < viewCount; ++i) FindInView(views[i], files, found);
}

struct StoredPlace {
  DWORD type;
  DWORD size;
  BYTE data[kPlaceDataSize];
};

bool IsImeLayout(const StoredPlace& place, const ImeLayouts& layouts) {
  if (place.type != REG_SZ || place.size >= kPlaceDataSize) return false;
  char id[kPlaceDataSize] = {};
  std::memcpy(id, place.data, place.size);
  for (int i = 0; i < layouts.count; ++i) {
    if (lstrcmpiA(id, layouts.ids[i]) == 0) return true;
  }
  return false;
}

// Takes the layouts out of one profile's list, closing the gaps: the places
// left keep their order and are numbered from 1 again. A list without them is
// not touched. False when one of them stays.
bool RemoveFromList(HKEY profile, const ImeLayouts& layouts) {
  HKEY layout;
  if (RegOpenKeyExA(profile, kUserLayoutKey, 0, KEY_READ, &layout) != ERROR_SUCCESS) return true;
  HKEY preload;
  const LONG opened = RegOpenKeyExA(layout, kPreloadKey, 0, KEY_ALL_ACCESS, &preload);
  RegCloseKey(layout);
  if (opened != ERROR_SUCCESS) return opened == ERROR_FILE_NOT_FOUND;
  StoredPlace kept[kPreloadPlaces];
  int keptCount = 0;
  int last = 0;
  bool whole = true;
  for (int number = 1; number <= kPreloadPlaces; ++number) {
    char name[8];
    std::snprintf(name, sizeof name, "%d", number);
    StoredPlace& place = kept[keptCount];
    place.size = sizeof place.data;
    const LONG read =
        RegQueryValueExA(preload, name, nullptr, &place.type, place.data, &place.size);
    if (read == ERROR_FILE_NOT_FOUND) continue;
    // A place that cannot be read whole cannot be moved without loss.
    whole = whole && read == ERROR_SUCCESS;
    last = number;
    if (!IsImeLayout(place, layouts)) ++keptCount;
  }
  if (whole && keptCount != last) {
    for (int number = 1; number <= last; ++number) {
      char name[8];
      std::snprintf(name, sizeof name, "%d", number);
      const StoredPlace& place = kept[number - 1];
      const LONG result = number <= keptCount
                              ? RegSetValueExA(preload, name, 0, place.type, place.data, place.size)
                              : RegDeleteValueA(preload, name);
      whole = whole && (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND);
    }
  }
  RegCloseKey(preload);
  return whole || keptCount == last;
}

// The current user's list and that of every profile loaded under HKEY_USERS,
// the default user's among them.
bool RemoveFromEveryPreload(const ImeLayouts& layouts) {
  bool whole = RemoveFromList(HKEY_CURRENT_USER, layouts);
  for (DWORD index = 0;; ++index) {
    char name[kLayoutTextSize];
    DWORD size = sizeof name;
    const LONG listed =
        RegEnumKeyExA(HKEY_USERS, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (listed == ERROR_NO_MORE_ITEMS) break;
    HKEY profile;
    if (listed != ERROR_SUCCESS ||
        RegOpenKeyExA(HKEY_USERS, name, 0, KEY_READ, &profile) != ERROR_SUCCESS) {
      continue;
    }
    whole = RemoveFromList(profile, layouts) && whole;
    RegCloseKey(profile);
  }
  return whole;
}

// A layout loaded into this session goes when Windows lets it; the preload
// lists no longer name it, so it does not come back at the next logon.
void UnloadFromSession(const ImeLayouts& layouts) {
  HKL loaded[64];
  const int count = Platform.GetKeyboardLayoutList(64, loaded);
  for (int i = 0; i < count; ++i) {
    const auto number =
        static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(loaded[i]) & 0xFFFFFFFFu);
    for (int j = 0; j < layouts.count; ++j) {
      if (number != std::strtoul(layouts.ids[j], nullptr, 16)) continue;
      LogStep("layout %s %s from this session", layouts.ids[j],
              UnloadKeyboardLayout(loaded[i]) ? "unloaded" : "could not be unloaded");
      break;
    }
  }
}

}  // namespace

bool ImeLayoutsRegistered() {
  ImeLayouts found;
  FindImeLayouts(&found);
  return found.count > 0;
}

void RemoveImeLayouts() {
  ImeLayouts layouts;
  FindImeLayouts(&layouts);
  if (!RemoveFromEveryPreload(layouts)) NoteIncomplete("a preload list that names this IME");
  UnloadFromSession(layouts);
  for (int i = 0; i < layouts.count; ++i) {
    char key[sizeof kKeyboardLayoutsKey + kLayoutIdSize];
    std::snprintf(key, sizeof key, "%s\\%s", kKeyboardLayoutsKey, layouts.ids[i]);
    // Both registry views show the one Keyboard Layouts key of the system.
    if (!RegistryKeyExists(HKEY_LOCAL_MACHINE, key, layouts.views[i])) continue;
    if (DeleteRegistryKey(HKEY_LOCAL_MACHINE, key, layouts.views[i])) {
      LogStep("keyboard layout %s removed", layouts.ids[i]);
    } else {
      NoteIncomplete("%s stays", key);
    }
  }
}
