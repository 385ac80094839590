#pragma once

#include <cstddef>
#include <string>

#include "random_source.h"

// The text files of the IME: GBK, one record per CR LF line, each exactly
// `size` bytes long (a closing "#---" line takes up what the last record
// leaves). Every one of them is seeded by the caller.

// "code word" lines sorted by code: kind "pinyin", "wubi" or "english".
std::string WordDictionary(RandomSource& random, const std::string& kind, std::size_t size);
// "word wubi pinyin" lines sorted by word.
std::string CodePairs(RandomSource& random, std::size_t size);
// "character syllable wubi" lines in code order: repertoire "gb2312" or "gbk".
std::string CharacterTable(const std::string& repertoire, std::size_t size);
// Phrases of four to twelve characters, in the order a user typed them.
std::string Phrases(RandomSource& random, std::size_t size);
// "code=phrase" lines: user-defined codes.
std::string CustomCodes(RandomSource& random, std::size_t size);
// "code symbol" lines over the GBK symbol rows.
std::string SymbolTable(RandomSource& random, std::size_t size);

// Exposed for the tests: true when every line is printable ASCII and whole
// GBK double-byte characters, ended by CR LF.
bool IsGbkLines(const std::string& text);
