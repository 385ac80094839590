#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "random_source.h"

// Chinese characters as GBK code points (lead byte << 8 | trail byte) and the
// invented input codes the generated dictionaries give them. Nothing here is
// taken from a real input method: spellings and codes are derived from the
// code point by hashing, so they look like pinyin and wubi without being them.
using Hanzi = std::uint16_t;

// The character repertoires, in code order.
const std::vector<Hanzi>& CommonHanzi();  // GB2312 level 1
const std::vector<Hanzi>& Gb2312Hanzi();  // GB2312 levels 1 and 2
const std::vector<Hanzi>& GbkHanzi();     // GB2312 and the GBK extensions

// Appends the two GBK bytes of a character.
void AppendHanzi(std::string& out, Hanzi hanzi);

// A pinyin-like syllable and a wubi-like code of two to four letters a..y.
const char* SyllableOf(Hanzi hanzi);
std::string WubiOf(Hanzi hanzi);

// A word of `length` common characters, drawn with common ones preferred.
std::vector<Hanzi> RandomWord(RandomSource& random, int length);

// The codes of a word: the syllables run together, or the wubi word rule
// (two characters: two letters of each; three: one, one, two; more: the
// first letter of the first three and of the last character).
std::string PinyinCodeOf(const std::vector<Hanzi>& word);
std::string WubiCodeOf(const std::vector<Hanzi>& word);

std::string GbkOf(const std::vector<Hanzi>& word);
