#include "system/installed_files.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <cstdio>
#include <cstring>

#include "core/version_stamp.h"
#include "data/install_dir.h"
#include "system/narrow_text.h"
#include "system/platform.h"
#include "system/run_result.h"
#include "system/state.h"
#include "system/whole_file.h"

// The IME writes its data into the installation directory from programs that
// run at the low integrity level (a browser in protected mode), so the
// directory gets the low mandatory label, no-write-up, inherited by every
// file and folder in it. The label is set through a handle to the directory
// itself: a link there is labelled, never what it points to.
void MarkLowIntegrity() {
  std::memcpy(SharedDirBuffer, InstallDir, sizeof SharedDirBuffer);
  SharedDirBuffer[sizeof SharedDirBuffer - 1] = '\0';
  StripDirBackslash(SharedDirBuffer, AnsiLeadBytes());

  PSECURITY_DESCRIPTOR lowLabel = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"S:(ML;OICI;NW;;;LW)", SDDL_REVISION_1,
                                                            &lowLabel, nullptr)) {
    LogStep("no low integrity label for %s (error %lu)", SharedDirBuffer, GetLastError());
    return;
  }
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL label = nullptr;
  GetSecurityDescriptorSacl(lowLabel, &present, &label, &defaulted);
  HANDLE dir = CreateFileA(SharedDirBuffer, READ_CONTROL | WRITE_OWNER,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                           nullptr);
  const DWORD result = dir == INVALID_HANDLE_VALUE
                           ? GetLastError()
                           : SetSecurityInfo(dir, SE_FILE_OBJECT, LABEL_SECURITY_INFORMATION, nullptr,
                                             nullptr, nullptr, label);
  if (dir != INVALID_HANDLE_VALUE) CloseHandle(dir);
  LocalFree(lowLabel);
  if (result != ERROR_SUCCESS) {
    LogStep("%s did not get the low integrity level (error %lu)", SharedDirBuffer, result);
  }
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
