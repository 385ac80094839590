#include "system/whole_file.h"

#include <windows.h>

#include "core/sibling_path.h"

bool WriteFileWhole(const char* path, const void* bytes, std::size_t length) {
  char sibling[MAX_PATH];
  if (!SiblingPath(path, sibling, sizeof sibling) || length > MAXDWORD) return false;
  // Others may write the directory: whatever holds the sibling's name goes
  // first (a link itself, never what it points to), and the sibling is
  // created new, never opened through a link planted in the meantime.
  DeleteFileA(sibling);
  HANDLE file = CreateFileA(sibling, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole =
      WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr) && written == length;
  if (CloseHandle(file) && whole &&
      MoveFileExA(sibling, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(sibling);
  return false;
}
