#include "system/installed_files.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "core/version_stamp.h"
#include "data/install_dir.h"
#include "shell/payload_memory.h"
#include "system/narrow_text.h"
#include "system/platform.h"
#include "system/seams.h"
#include "system/whole_file.h"

void MarkLowIntegrity() {
  std::memcpy(SharedDirBuffer, InstallDir, sizeof SharedDirBuffer);
  SharedDirBuffer[sizeof SharedDirBuffer - 1] = '\0';
  StripDirBackslash(SharedDirBuffer, AnsiLeadBytes());
  char commandLine[MAX_PATH + 64];
  std::snprintf(commandLine, sizeof commandLine, "icacls.exe \"%s\" /SetIntegrityLevel Level: L",
                SharedDirBuffer);
  Platform.WinExec(commandLine, SW_SHOW);
}

bool StampImeVersion(const char* path) {
  if (WorkBuffer == nullptr) return false;
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return false;
  // Read whole or not at all: a module larger than the work buffer, or a
  // read that comes up short, leaves the file as it is.
  const LONG size = _llseek(file, 0, FILE_END);
  _llseek(file, 0, FILE_BEGIN);
  const bool whole = size >= 0 && static_cast<std::size_t>(size) <= kWorkBufferSize &&
                     _lread(file, WorkBuffer, static_cast<UINT>(size)) == static_cast<UINT>(size);
  _lclose(file);
  if (!whole) return false;
  // A file that holds no older version already reads as it should.
  if (StampVersionText(WorkBuffer, static_cast<std::size_t>(size)) == 0) return true;
  return WriteFileWhole(path, WorkBuffer, static_cast<std::size_t>(size));
}

int ReadFileHead(const char* name, char* head) {
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%s%s", InstallDir, name);
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return static_cast<int>(GetLastError());
  const UINT read = _lread(file, head, 20);
  const UINT got = read == static_cast<UINT>(HFILE_ERROR) ? 0 : read;
  const int error = got < 20 ? static_cast<int>(GetLastError()) : 0;
  _lclose(file);
  return static_cast<int>(got) * 256 + error;
}
