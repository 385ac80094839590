#include "text_tables.h"

#include <functional>
#include <set>
#include <vector>

#include "hanzi.h"

namespace {

// Takes lines from `next` while they fit in `size` with room for the
// closing line, then closes with "#", dashes and CR LF to the exact size.
std::string FitLines(std::size_t size, bool sorted, const std::function<std::string()>& next) {
  constexpr std::size_t kClosing = 3;
  std::set<std::string> sortedLines;
  std::string text;
  std::size_t used = 0;
  for (;;) {
    std::string line = next() + "\r\n";
    if (used + line.size() + kClosing > size) break;
    if (!sorted) {
      text += line;
    } else if (!sortedLines.insert(line).second) {
      continue;
    }
    used += line.size();
  }
  for (const std::string& line : sortedLines) text += line;
  text += "#" + std::string(size - used - kClosing, '-') + "\r\n";
  return text;
}

int WordLength(RandomSource& random) {
  const std::uint32_t roll = random.Below(10);
  return roll < 6 ? 2 : roll < 8 ? 3 : roll < 9 ? 4 : 1;
}

std::string EnglishWord(RandomSource& random) {
  static const char kConsonants[] = "bcdfghjklmnprstvwz";
  static const char kVowels[] = "aeiou";
  std::string word;
  const int syllables = 1 + static_cast<int>(random.Below(3));
  for (int i = 0; i < syllables; ++i) {
    word.push_back(kConsonants[random.Below(sizeof kConsonants - 1)]);
    word.push_back(kVowels[random.Below(sizeof kVowels - 1)]);
    if (random.Below(2) == 0) word.push_back(kConsonants[random.Below(sizeof kConsonants - 1)]);
  }
  return word;
}

// The GBK rows of punctuation, full-width letters, kana, Greek and boxes.
std::vector<Hanzi> Symbols() {
  const Hanzi ranges[][2] = {{0xA1A1, 0xA1FE}, {0xA3A1, 0xA3FE}, {0xA4A1, 0xA4F3},
                             {0xA5A1, 0xA5F6}, {0xA6A1, 0xA6B8}, {0xA6C1, 0xA6D8},
                             {0xA9A4, 0xA9EF}};
  std::vector<Hanzi> symbols;
  for (const auto& range : ranges) {
    for (unsigned code = range[0]; code <= range[1]; ++code) symbols.push_back(static_cast<Hanzi>(code));
  }
  return symbols;
}

}  // namespace

std::string WordDictionary(RandomSource& random, const std::string& kind, std::size_t size) {
  return FitLines(size, true, [&] {
    const std::vector<Hanzi> word = RandomWord(random, WordLength(random));
    if (kind == "english") return EnglishWord(random) + " " + GbkOf(word);
    const std::string code = kind == "wubi" ? WubiCodeOf(word) : PinyinCodeOf(word);
    return code + " " + GbkOf(word);
  });
}

std::string CodePairs(RandomSource& random, std::size_t size) {
  return FitLines(size, true, [&] {
    const std::vector<Hanzi> word = RandomWord(random, WordLength(random));
    return GbkOf(word) + " " + WubiCodeOf(word) + " " + PinyinCodeOf(word);
  });
}

std::string CharacterTable(const std::string& repertoire, std::size_t size) {
  const std::vector<Hanzi>& pool = repertoire == "gbk" ? GbkHanzi() : Gb2312Hanzi();
  std::size_t index = 0;
  return FitLines(size, false, [&] {
    const Hanzi hanzi = pool[index++ % pool.size()];
    return GbkOf({hanzi}) + " " + SyllableOf(hanzi) + " " + WubiOf(hanzi);
  });
}

std::string Phrases(RandomSource& random, std::size_t size) {
  return FitLines(size, false, [&] {
    std::vector<Hanzi> phrase;
    const int words = 2 + static_cast<int>(random.Below(4));
    for (int i = 0; i < words; ++i) {
      const std::vector<Hanzi> word = RandomWord(random, WordLength(random));
      phrase.insert(phrase.end(), word.begin(), word.end());
    }
    return GbkOf(phrase);
  });
}

std::string CustomCodes(RandomSource& random, std::size_t size) {
  return FitLines(size, true, [&] {
    const std::vector<Hanzi> phrase = RandomWord(random, 2 + static_cast<int>(random.Below(5)));
    std::string code;
    for (Hanzi hanzi : phrase) code.push_back(SyllableOf(hanzi)[0]);
    return code + "=" + GbkOf(phrase);
  });
}

std::string SymbolTable(RandomSource& random, std::size_t size) {
  const std::vector<Hanzi> symbols = Symbols();
  std::size_t index = 0;
  return FitLines(size, false, [&] {
    const Hanzi symbol = symbols[index++ % symbols.size()];
    std::string code = "zz";
    code.push_back(static_cast<char>('a' + (symbol >> 8) % 26));
    code.push_back(static_cast<char>('a' + random.Below(26)));
    return code + " " + GbkOf({symbol});
  });
}

bool IsGbkLines(const std::string& text) {
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      if (i + 1 >= text.size() || text[i + 1] != '\n') return false;
      ++i;
    } else if (c >= 0x81 && c <= 0xFE) {
      if (i + 1 >= text.size()) return false;
      const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
      if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
      ++i;
    } else if (c < 0x20 || c >= 0x7F) {
      return false;
    }
  }
  return true;
}
