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

int RenameAside(const char* path) {
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
      // What still uses the moved file lets it go at the next restart.
      NoteRestartCompletes("%s was in use and moved aside to %s", path, spare);
      return 0;
    }
  }
  return -1;
}
