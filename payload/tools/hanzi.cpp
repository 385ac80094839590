#include "hanzi.h"

namespace {

// Lead bytes lo..hi with trail bytes lo..hi, skipping 0x7F.
void AddBlock(std::vector<Hanzi>& out, unsigned leadLo, unsigned leadHi, unsigned trailLo,
              unsigned trailHi) {
  for (unsigned lead = leadLo; lead <= leadHi; ++lead) {
    for (unsigned trail = trailLo; trail <= trailHi; ++trail) {
      if (trail == 0x7F) continue;
      // The last five cells of row D7 are empty in GB2312.
      if (lead == 0xD7 && trail >= 0xFA) continue;
      out.push_back(static_cast<Hanzi>(lead << 8 | trail));
    }
  }
}

std::uint32_t Mix(Hanzi hanzi, std::uint32_t salt) {
  std::uint32_t x = (hanzi + 0x9E37u) * 0x85EBCA6Bu ^ salt;
  x ^= x >> 13;
  x *= 0xC2B2AE35u;
  return x ^ (x >> 16);
}

const char* const kSyllables[] = {
    "a",     "ai",   "an",   "ang",  "ba",    "bai",  "ban",  "bang", "bao",  "bei",  "ben",
    "bi",    "bian", "biao", "bing", "bo",    "bu",   "ca",   "cai",  "can",  "cao",  "ce",
    "chang", "chao", "che",  "chen", "cheng", "chi",  "chu",  "chuan", "chun", "ci",  "cong",
    "cun",   "da",   "dai",  "dan",  "dang",  "dao",  "de",   "deng", "di",   "dian", "diao",
    "ding",  "dong", "du",   "duan", "dui",   "duo",  "e",    "er",   "fa",   "fan",  "fang",
    "fei",   "fen",  "feng", "fu",   "gai",   "gan",  "gang", "gao",  "ge",   "gen",  "geng",
    "gong",  "gu",   "gua",  "guan", "guang", "gui",  "guo",  "hai",  "han",  "hang", "hao",
    "he",    "hei",  "hen",  "hong", "hou",   "hu",   "hua",  "huai", "huan", "huang", "hui",
    "huo",   "ji",   "jia",  "jian", "jiang", "jiao", "jie",  "jin",  "jing", "jiu",  "ju",
    "juan",  "jue",  "jun",  "kai",  "kan",   "kang", "ke",   "kong", "ku",   "kuai", "kuan",
    "lai",   "lan",  "lang", "lao",  "le",    "lei",  "li",   "lian", "liang", "liao", "lin",
    "ling",  "liu",  "long", "lu",   "lun",   "luo",  "ma",   "mai",  "man",  "mao",  "mei",
    "men",   "mi",   "mian", "miao", "min",   "ming", "mo",   "mu",   "na",   "nan",  "nei",
    "neng",  "ni",   "nian", "niu",  "nong",  "nu",   "pai",  "pan",  "pao",  "pei",  "peng",
    "pi",    "pian", "pin",  "ping", "po",    "pu",   "qi",   "qian", "qiang", "qiao", "qie",
    "qin",   "qing", "qiu",  "qu",   "quan",  "que",  "ran",  "rang", "re",   "ren",  "ri",
    "rong",  "ru",   "ruo",  "san",  "se",    "sen",  "sha",  "shan", "shang", "shao", "she",
    "shen",  "sheng", "shi", "shou", "shu",   "shuang", "shui", "shuo", "si",  "song", "su",
    "sui",   "sun",  "suo",  "ta",   "tai",   "tan",  "tang", "tao",  "te",   "ti",   "tian",
    "tiao",  "ting", "tong", "tou",  "tu",    "tuan", "tui",  "wa",   "wai",  "wan",  "wang",
    "wei",   "wen",  "wo",   "wu",   "xi",    "xia",  "xian", "xiang", "xiao", "xie", "xin",
    "xing",  "xiong", "xiu", "xu",   "xuan",  "xue",  "xun",  "ya",   "yan",  "yang", "yao",
    "ye",    "yi",   "yin",  "ying", "yong",  "you",  "yu",   "yuan", "yue",  "yun",  "za",
    "zai",   "zan",  "zao",  "ze",   "zeng",  "zhan", "zhang", "zhao", "zhe", "zhen", "zheng",
    "zhi",   "zhong", "zhou", "zhu", "zhuan", "zhuang", "zhun", "zi",  "zong", "zou",  "zu",
    "zui",   "zun",  "zuo"};

}  // namespace

const std::vector<Hanzi>& CommonHanzi() {
  static const std::vector<Hanzi> pool = [] {
    std::vector<Hanzi> out;
    AddBlock(out, 0xB0, 0xD7, 0xA1, 0xFE);
    return out;
  }();
  return pool;
}

const std::vector<Hanzi>& Gb2312Hanzi() {
  static const std::vector<Hanzi> pool = [] {
    std::vector<Hanzi> out;
    AddBlock(out, 0xB0, 0xF7, 0xA1, 0xFE);
    return out;
  }();
  return pool;
}

const std::vector<Hanzi>& GbkHanzi() {
  static const std::vector<Hanzi> pool = [] {
    std::vector<Hanzi> out;
    AddBlock(out, 0x81, 0xA0, 0x40, 0xFE);
    AddBlock(out, 0xAA, 0xAF, 0x40, 0xA0);
    AddBlock(out, 0xB0, 0xF7, 0x40, 0xFE);
    AddBlock(out, 0xF8, 0xFD, 0x40, 0xA0);
    return out;
  }();
  return pool;
}

void AppendHanzi(std::string& out, Hanzi hanzi) {
  out.push_back(static_cast<char>(hanzi >> 8));
  out.push_back(static_cast<char>(hanzi & 0xFF));
}

const char* SyllableOf(Hanzi hanzi) {
  return kSyllables[Mix(hanzi, 0x51u) % (sizeof kSyllables / sizeof kSyllables[0])];
}

std::string WubiOf(Hanzi hanzi) {
  const std::uint32_t bits = Mix(hanzi, 0xB1u);
  const int length = 2 + static_cast<int>(bits % 3);
  std::string code;
  std::uint32_t letters = bits / 3;
  for (int i = 0; i < length; ++i, letters /= 25) code.push_back(static_cast<char>('a' + letters % 25));
  return code;
}

std::vector<Hanzi> RandomWord(RandomSource& random, int length) {
  const std::vector<Hanzi>& pool = CommonHanzi();
  std::vector<Hanzi> word;
  for (int i = 0; i < length; ++i) {
    word.push_back(pool[random.Skewed(static_cast<std::uint32_t>(pool.size()))]);
  }
  return word;
}

std::string PinyinCodeOf(const std::vector<Hanzi>& word) {
  std::string code;
  for (Hanzi hanzi : word) code += SyllableOf(hanzi);
  return code;
}

std::string WubiCodeOf(const std::vector<Hanzi>& word) {
  if (word.size() == 1) return WubiOf(word[0]);
  if (word.size() == 2) return WubiOf(word[0]).substr(0, 2) + WubiOf(word[1]).substr(0, 2);
  if (word.size() == 3) {
    return WubiOf(word[0]).substr(0, 1) + WubiOf(word[1]).substr(0, 1) + WubiOf(word[2]).substr(0, 2);
  }
  return WubiOf(word[0]).substr(0, 1) + WubiOf(word[1]).substr(0, 1) + WubiOf(word[2]).substr(0, 1) +
         WubiOf(word.back()).substr(0, 1);
}

std::string GbkOf(const std::vector<Hanzi>& word) {
  std::string text;
  for (Hanzi hanzi : word) AppendHanzi(text, hanzi);
  return text;
}
