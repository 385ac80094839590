#include "core/backup_list.h"

#include <cstring>
#include <initializer_list>

namespace {

constexpr BackupRow kWubiRows[kMaxBackupRows] = {
    {"lanzcyzk.lz1", BackupKind::Pair},     {"lfontset.lz1", BackupKind::Pair},
    {"lwbzlcz1.lz1", BackupKind::Pair},     {"lzwbcmxz.lz1", BackupKind::Pair},
    {"lzdhzcm.lz1", BackupKind::Pair},      {"lanzdhz.lz1", BackupKind::Pair},
    {"lzgbkhz.lz1", BackupKind::Pair},      {"lzszsj43.lzh", BackupKind::Required},
    {"lanzdwdw.txt", BackupKind::Required}, {"lanzzdym.lzh", BackupKind::Required},
    {"lzpyzdym.lzh", BackupKind::Required}, {"lzwbpy.txt", BackupKind::Required},
    {"lanzynhz.txt", BackupKind::Required}, {"lanzzdfh.lzh", BackupKind::Required},
    {"userck.txt", BackupKind::Optional},   {"delck.txt", BackupKind::Optional},
    {"ftlzzdym.txt", BackupKind::Optional}, {"ftpylzym.txt", BackupKind::Optional},
    {"lwb.ov1", BackupKind::Optional},      {"lanzpymb.ov1", BackupKind::Optional},
    {"lzgbkbh.lzh", BackupKind::Optional},  {"lzszsj05.lzh", BackupKind::Optional},
    {"lzszsj06.lzh", BackupKind::Optional},
};
constexpr const char* kPinyinPair = "lanzpyck.lz1";
constexpr const char* kWubiOnly = "lwb.ov1";

}  // namespace

std::size_t BackupRows(bool pinyin, BackupRow (&rows)[kMaxBackupRows]) {
  std::size_t count = 0;
  for (const BackupRow& row : kWubiRows) {
    if (pinyin && std::strcmp(row.name, kWubiOnly) == 0) continue;
    rows[count] = row;
    if (pinyin && count == 0) rows[count].name = kPinyinPair;
    ++count;
  }
  return count;
}

bool PairSource(const char* name, char* out, std::size_t outSize) {
  const char* dot = std::strrchr(name, '.');
  const std::size_t stem = dot != nullptr ? static_cast<std::size_t>(dot - name) : std::strlen(name);
  if (stem + sizeof ".lzh" > outSize) return false;
  std::memcpy(out, name, stem);
  std::memcpy(out + stem, ".lzh", sizeof ".lzh");
  return true;
}

bool IsUserDataFile(const char* name) {
  BackupRow rows[kMaxBackupRows];
  for (const bool pinyin : {false, true}) {
    const std::size_t count = BackupRows(pinyin, rows);
    for (std::size_t i = 0; i < count; ++i) {
      if (std::strcmp(name, rows[i].name) == 0) return true;
      char source[16];
      if (rows[i].kind == BackupKind::Pair && PairSource(rows[i].name, source, sizeof source) &&
          std::strcmp(name, source) == 0) {
        return true;
      }
    }
  }
  return false;
}

bool BackupCountAcceptable(std::uint32_t entryCount) { return entryCount <= kMaxBackupRows; }
