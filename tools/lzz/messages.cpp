#include "messages.h"

#include <cstdio>

void PrintError(const std::string& message) {
  std::fprintf(stderr, "lzz: %s\n", message.c_str());
}
