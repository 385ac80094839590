#include "system/whole_file.h"

#include <windows.h>

#include "core/sibling_path.h"

namespace {

enum class Written { kWhole, kNameTaken, kFailed };

// Creates `path` only where nothing holds its name (never opening a link
// planted there) and writes the bytes; a file that did not get them all is
// removed again.
Written WriteNewFile(const char* path, const void* bytes, std::size_t length) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_FILE_EXISTS ? Written::kNameTaken : Written::kFailed;
  }
  DWORD written = 0;
  const bool whole =
      WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr) && written == length;
  if (CloseHandle(file) && whole) return Written::kWhole;
  DeleteFileA(path);
  return Written::kFailed;
}

}  // namespace

bool WriteFileWhole(const char* path, const void* bytes, std::size_t length) {
  char sibling[MAX_PATH];
  if (!SiblingPath(path, sibling, sizeof sibling) || length > MAXDWORD) return false;
  const Written fresh = WriteNewFile(path, bytes, length);
  if (fresh != Written::kNameTaken) return fresh == Written::kWhole;
  // The file exists: the bytes go to a sibling that then replaces it. Others
  // may write the directory, so whatever holds the sibling's name goes first
  // (a link itself, never what it points to).
  Written staged = WriteNewFile(sibling, bytes, length);
  if (staged == Written::kNameTaken && DeleteFileA(sibling)) {
    staged = WriteNewFile(sibling, bytes, length);
  }
  if (staged != Written::kWhole) return false;
  if (MoveFileExA(sibling, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileA(sibling);
  return false;
}
