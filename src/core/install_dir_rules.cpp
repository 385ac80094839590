#include "core/install_dir_rules.h"

#include <cstring>

namespace {

bool IsDriveLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool HasControlByte(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    if (static_cast<unsigned char>(*c) < 0x20) return true;
  }
  return false;
}

// Characters Windows refuses in a name, or reads as a separator or a stream.
bool IsForbiddenInName(char c) { return std::strchr("<>:\"/|?*", c) != nullptr; }

}  // namespace

bool IsResolvedDir(const char (&dir)[kInstallDirSize]) {
  return dir[1] == ':' && dir[2] == '\\';
}

int CheckInstallDir(const char* text, const LeadBytes& leads) {
  const std::size_t length = std::strlen(text);
  if (length < 5 || !IsDriveLetter(text[0]) || text[1] != ':' || text[2] != '\\') return 0;
  if (HasControlByte(text)) return 0;
  const char* lastOfName = nullptr;
  bool endsInBackslash = false;
  for (const char* c = text + 3; *c != '\0'; c += CharLength(c, leads)) {
    if (*c == '\\') {
      // Only the trailing backslash may follow the name.
      if (c[1] != '\0') return 0;
      endsInBackslash = true;
      break;
    }
    if (CharLength(c, leads) == 1) {
      // A lead byte without its second byte would take the backslash that
      // persisting appends as its own.
      if (leads.lead[static_cast<unsigned char>(*c)]) return 0;
      // Second bytes of GBK and Big5 include "|": only single bytes count.
      if (IsForbiddenInName(*c)) return 0;
    }
    lastOfName = c;
  }
  // Windows drops a trailing dot or blank, and "." and ".." name other places.
  if (lastOfName == nullptr || *lastOfName == '.' || *lastOfName == ' ') return 0;
  const std::size_t persisted = endsInBackslash ? length : length + 1;
  return persisted <= kInstallDirMaxChars ? 1 : 0;
}

bool AcceptDirRecord(const char* bytes, std::size_t length, const LeadBytes& leads,
                     char (&dir)[kInstallDirSize]) {
  if (length > kInstallDirMaxChars || std::memchr(bytes, '\0', length) != nullptr) return false;
  char text[kInstallDirSize] = {};
  std::memcpy(text, bytes, length);
  if (CheckInstallDir(text, leads) == 0 || LastBackslash(text, leads) != text + length - 1) {
    return false;
  }
  std::memcpy(dir, text, sizeof text);
  return true;
}

bool RegistryValueText(std::uint32_t type, const char* bytes, std::size_t& length) {
  if (type != kRegSzType) return false;
  if (length > 0 && bytes[length - 1] == '\0') --length;
  return true;
}

const char* RegistrationDirArgument(const char* commandLine) {
  static const char kKeyword[] = "reglz32=";
  const char* firstR = std::strchr(commandLine, 'r');
  if (firstR == nullptr) return nullptr;
  if (std::strncmp(firstR, kKeyword, sizeof kKeyword - 1) != 0) return nullptr;
  return firstR + sizeof kKeyword - 1;
}

void AppendDirBackslash(char (&dir)[kInstallDirSize], const LeadBytes& leads) {
  const std::size_t length = strnlen(dir, kInstallDirSize);
  // No room; a full buffer may even lack its terminator.
  if (length + 1 >= kInstallDirSize) return;
  if (length > 0 && LastBackslash(dir, leads) == dir + length - 1) return;
  dir[length] = '\\';
  dir[length + 1] = '\0';
}

void StripDirBackslash(char* dir, const LeadBytes& leads) {
  const std::size_t length = std::strlen(dir);
  if (length > 0 && LastBackslash(dir, leads) == dir + length - 1) dir[length - 1] = '\0';
}
