#include "core/command_line.h"

#include <cstring>

#include "core/text_match.h"

bool FindLogPathArgument(const char* commandLine, char* out, std::size_t size, ArgumentSpan* span) {
  if (size == 0) return false;
  out[0] = '\0';
  const char* keyword = FindNoCase(commandLine, kLogKeyword);
  if (keyword == nullptr) return false;
  const char* start = keyword + sizeof kLogKeyword - 1;
  // Quoted after the "=", or the whole token quoted as Windows quotes an
  // argument with blanks.
  const bool quotedToken = keyword != commandLine && keyword[-1] == '"';
  const bool quoted = quotedToken || *start == '"';
  if (*start == '"') ++start;
  std::size_t length = 0;
  for (;; ++length) {
    const unsigned char c = static_cast<unsigned char>(start[length]);
    if (quoted ? c == '"' : c == ' ' || c == '\t' || c == '\0') break;
    if (c < 0x20) return false;
  }
  if (length == 0 || length >= size) return false;
  std::memcpy(out, start, length);
  out[length] = '\0';
  span->begin = static_cast<std::size_t>(keyword - commandLine) - (quotedToken ? 1 : 0);
  span->end = static_cast<std::size_t>(start - commandLine) + length + (quoted ? 1 : 0);
  return true;
}
