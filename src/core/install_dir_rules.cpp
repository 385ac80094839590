#include "core/install_dir_rules.h"

#include <cstring>

bool IsResolvedDir(const char (&dir)[kInstallDirSize]) {
  return dir[1] == ':' && dir[2] == '\\';
}

int CheckInstallDir(const char* text) {
  const std::size_t length = std::strlen(text);
  if (length < 3 || text[1] != ':' || text[2] != '\\') return 0;
  if (length < 5) return 0;
  int backslashes = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '\\') ++backslashes;
  }
  if (backslashes > 2) return 0;
  if (backslashes == 2 && text[length - 1] != '\\') return 0;
  return 1;
}

const char* RegistrationDirArgument(const char* commandLine) {
  static const char kKeyword[] = "reglz32=";
  const char* firstR = std::strchr(commandLine, 'r');
  if (firstR == nullptr) return nullptr;
  if (std::strncmp(firstR, kKeyword, sizeof kKeyword - 1) != 0) return nullptr;
  return firstR + sizeof kKeyword - 1;
}

void AppendDirBackslash(char (&dir)[kInstallDirSize]) {
  const std::size_t length = strnlen(dir, kInstallDirSize);
  if (length > 0 && dir[length - 1] == '\\') return;
  if (length + 1 >= kInstallDirSize) return;
  dir[length] = '\\';
  dir[length + 1] = '\0';
}
