#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Keyboard-layout ids of this IME: eight hexadecimal digits whose last three
// name the language, "804" (simplified Chinese) or "404" (traditional).
constexpr std::size_t kLayoutIdSize = 10;

// The id of a new entry: the largest id present (at least E0000804, or
// E0000404), plus 0x10000 as often as it takes to reach a name that no key of
// `present` has, in upper case, with the language put into its last three
// digits. False, with `id` empty, when the count would pass FFFF: an id never
// wraps around to a shorter one.
bool NextLayoutId(std::uint32_t largest, bool traditional, const std::vector<std::string>& present,
                  char (&id)[kLayoutIdSize]);

// True when `id` ends in the language's three digits.
bool HasLayoutLanguage(const char* id, bool traditional);
// Puts the language into the last three characters (ids of 3 or more).
void SetLayoutLanguage(char* id, bool traditional);

// How a stored preload entry compares with this IME's id, the stored
// letters folded to the id's case (lower on the NT family, upper on 9x).
enum class PreloadMatch { kSame, kSameNumberOtherLanguage, kOther };
PreloadMatch ComparePreloadId(const char* stored, const char* id, bool upperCase);

// Folds the ASCII letters of an id to one case.
void FoldLayoutId(char* id, bool upperCase);

// Moves the id at place `position` (1-based) to place 2; places 2 to
// position-1 move one place down, the others keep theirs.
void PromoteToSecondPlace(char (*ids)[kLayoutIdSize], int count, int position);
