#pragma once

#include <cstddef>

#include "core/layout_ids.h"

// The user's list of loaded input languages (the preload list), place 1 the
// default input language. Places 1 to 49 are ever read or written.
constexpr int kPreloadPlaces = 49;
constexpr std::size_t kLayoutTextSize = 200;
// The NT family keeps one value per place, named by its number, under
// "keyboard layout\preload" of each user's profile.
inline constexpr char kUserLayoutKey[] = "keyboard layout";
inline constexpr char kPreloadKey[] = "preload";
// Under HKEY_LOCAL_MACHINE: one subkey per keyboard layout, named by its id.
inline constexpr char kKeyboardLayoutsKey[] = "System\\CurrentControlSet\\Control\\Keyboard Layouts";

struct PreloadTableState {
  char ids[kPreloadPlaces][kLayoutIdSize];     // slot i: the id of place i+1
  char texts[kPreloadPlaces][kLayoutTextSize];  // that id's "layout text"
  int count;
  int found;     // this IME is in the list
  int position;  // its place, 1-based; 0 when not found
};

// The list as the last FindImeInPreload read it.
extern PreloadTableState PreloadTable;

// Fills PreloadTable's ids and texts; returns the count, 0 also when the
// user's keyboard-layout key or the Keyboard Layouts key cannot be opened.
int ReadPreloadList();
// Rereads the list and finds this IME in it. Always false on 64-bit Windows,
// where nothing is read.
int FindImeInPreload();
// Moves this IME to place 2 when it sits at place 3 or later, on Windows XP
// and earlier, in the user's list and (NT family) the default user's.
void PromoteImeInPreload();
// Swaps places 1 and 2 of the user's and (NT family) the default user's list.
void MakeImeNonDefault();

// Puts this IME's layout id into the user's list, unless it is there already:
// over the same number in the other language, else into the first free place,
// else over place 49. Reports a user keyboard-layout key that cannot be opened.
void AppendImeToPreload(const char* layoutId);
