#include "gbk_names.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <vector>

static bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  // GBK to UTF-8 grows a character from 2 bytes to at most 3, and an ASCII
  // byte stays one byte; the other way never grows.
  std::vector<char> buffer(in.size() * 2 + 1);
  char* inPointer = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPointer = buffer.data();
  std::size_t outLeft = buffer.size();
  const bool done = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) !=
                        static_cast<std::size_t>(-1) &&
                    inLeft == 0;
  iconv_close(converter);
  if (done) out.assign(buffer.data(), buffer.size() - outLeft);
  return done;
}

bool Utf8ToGbk(const std::string& utf8, std::string& gbk) {
  return Convert("GBK", "UTF-8", utf8, gbk);
}

bool GbkToUtf8(const std::string& gbk, std::string& utf8) {
  return Convert("UTF-8", "GBK", gbk, utf8);
}

std::string DisplayName(const std::string& gbk) {
  const bool printable = std::none_of(gbk.begin(), gbk.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
  std::string utf8;
  if (printable && GbkToUtf8(gbk, utf8)) return utf8;
  std::string shown;
  for (unsigned char byte : gbk) {
    if (byte >= 0x20 && byte < 0x7F) {
      shown += static_cast<char>(byte);
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      shown += escape;
    }
  }
  return shown;
}
