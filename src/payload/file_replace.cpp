#include "payload/file_replace.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "system/run_result.h"

int DeleteFileIfPresent(const char* path) {
  SetFileAttributesA(path, FILE_ATTRIBUTE_ARCHIVE);
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return 0;
  _lclose(file);
  return std::remove(path) == 0 ? 0 : -1;
}

int RenameAside(const char* path, char* usedMark) {
  char spare[MAX_PATH];
  const std::size_t length = strnlen(path, sizeof spare);
  // A name without five characters has no spare names; one that does not fit
  // the buffer is no path Windows could open.
  if (length < 5 || length == sizeof spare) return -1;
  std::memcpy(spare, path, length + 1);
  static const char kMarks[] = {'2', '1'};
  for (const char mark : kMarks) {
    spare[length - 5] = mark;
    DeleteFileIfPresent(spare);
    if (std::rename(path, spare) == 0) {
      if (usedMark != nullptr) *usedMark = mark;
      // What still uses the moved file lets it go at the next restart.
      NoteRestartCompletes("%s was in use and moved aside to %s", path, spare);
      return 0;
    }
  }
  return -1;
}

Removal RemoveFile(const char* path, const char* pathAtRestart, RemoveMode mode) {
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Removal::kGone;
  }
  SetFileAttributesA(path, FILE_ATTRIBUTE_ARCHIVE);
  if (DeleteFileA(path)) return Removal::kGone;
  char spare[MAX_PATH];
  const std::size_t length = strnlen(pathAtRestart, sizeof spare);
  if (length == sizeof spare) {
    NoteIncomplete("%s cannot be removed", pathAtRestart);
    return Removal::kStays;
  }
  std::memcpy(spare, pathAtRestart, length + 1);
  char mark = 0;
  // RenameAside replaces the same character of the file name in both paths.
  if (mode == RemoveMode::kMoveAside && RenameAside(path, &mark) == 0) spare[length - 5] = mark;
  if (!MoveFileExA(spare, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    NoteIncomplete("%s can be neither removed nor marked for removal", spare);
    return Removal::kStays;
  }
  if (mode == RemoveMode::kOwnCopy) {
    LogStep("deleted at the next start: %s", spare);
  } else {
    NoteRestartCompletes("%s is removed at the next start", spare);
  }
  return Removal::kAtRestart;
}
