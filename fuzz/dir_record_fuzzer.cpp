// Any bytes as a record of the installation directory: the first byte is the
// registry type (0 for a path file), the rest the record. What is believed
// must be a directory the path page accepts, ending in its backslash, that
// persisting leaves as it is; what is not must leave the directory untouched.
// Every rule runs over the same bytes as a path line too, with the lead bytes
// of GBK and Big5 and with none.

#include "core/install_dir_rules.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

LeadBytes DoubleByteLeads() {
  LeadBytes leads{};
  for (int value = 0x81; value <= 0xFE; ++value) leads.lead[value] = true;
  return leads;
}

void CheckRecord(const char* bytes, std::size_t length, const LeadBytes& leads) {
  char dir[kInstallDirSize];
  std::memset(dir, 'x', sizeof dir);
  if (!AcceptDirRecord(bytes, length, leads, dir)) {
    for (char c : dir) {
      if (c != 'x') std::abort();
    }
    return;
  }
  if (strnlen(dir, sizeof dir) != length || std::memcmp(dir, bytes, length) != 0) std::abort();
  if (CheckInstallDir(dir, leads) != 1) std::abort();
  if (LastBackslash(dir, leads) != dir + length - 1) std::abort();
  char persisted[kInstallDirSize];
  std::memcpy(persisted, dir, sizeof dir);
  AppendDirBackslash(persisted, leads);
  if (std::strcmp(persisted, dir) != 0) std::abort();
  StripDirBackslash(persisted, leads);
  if (std::strlen(persisted) != length - 1) std::abort();
}

// The same bytes as the path line hands them over: cut to the buffer.
void CheckLine(const char* bytes, std::size_t length, const LeadBytes& leads) {
  char line[kInstallDirSize] = {};
  std::memcpy(line, bytes, length < kInstallDirMaxChars ? length : kInstallDirMaxChars);
  const int accepted = CheckInstallDir(line, leads);
  AppendDirBackslash(line, leads);
  if (accepted == 1 && CheckInstallDir(line, leads) != 1) std::abort();
  if (line[kInstallDirMaxChars] != '\0') std::abort();
  StripDirBackslash(line, leads);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const LeadBytes kDoubleByte = DoubleByteLeads();
  static const LeadBytes kSingleByte{};
  if (size == 0) return 0;
  const std::uint32_t type = data[0];
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  std::size_t length = size - 1;
  for (const LeadBytes* leads : {&kDoubleByte, &kSingleByte}) CheckLine(bytes, length, *leads);
  if (type != 0 && !RegistryValueText(type, bytes, length)) return 0;
  for (const LeadBytes* leads : {&kDoubleByte, &kSingleByte}) CheckRecord(bytes, length, *leads);
  return 0;
}
