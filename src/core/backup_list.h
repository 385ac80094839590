#pragma once

// Which files of an earlier installation the user-data backup saves, in the
// order they are appended.

#include <cstddef>
#include <cstdint>

enum class BackupKind {
  // The working file (".lzh") is first copied over its companion (".lz1"),
  // and the companion is saved; the backup fails without it.
  Pair,
  // The backup fails without it.
  Required,
  // Saved when it is there.
  Optional,
};

struct BackupRow {
  const char* name;  // the file saved, in the installation directory
  BackupKind kind;
};

// The Wubi edition saves every row; the Pinyin edition saves the Pinyin
// phrase pair in place of the Wubi one and leaves out "lwb.ov1".
constexpr std::size_t kMaxBackupRows = 23;

// Fills `rows` for the edition (`pinyin` true for the Pinyin edition) and
// returns how many there are.
std::size_t BackupRows(bool pinyin, BackupRow (&rows)[kMaxBackupRows]);

// The working file a pair row copies from: `name` with ".lzh" in place of its
// extension. False when it does not fit in `out`.
bool PairSource(const char* name, char* out, std::size_t outSize);

// The user's own data in the installation directory: every file that the
// backup of either edition saves, and the working file of every pair.
// An uninstallation keeps these unless the user asks to remove them too.
bool IsUserDataFile(const char* name);

// A backup never holds more entries than the list has rows: a container that
// counts more was not written by the backup, and nothing of it is restored.
bool BackupCountAcceptable(std::uint32_t entryCount);
