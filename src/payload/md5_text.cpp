#include "payload/md5_text.h"

#include "payload/advapi_md5.h"

#include <cstring>

namespace {

// GetProcAddress returns a generic function pointer; going through void(*)()
// states that the cast to the export's real type is meant.
template <typename Function>
void Export(HMODULE module, const char* name, Function& function) {
  function =
      reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

bool FindMd5Functions(HMODULE advapi, Md5Functions& md5) {
  Export(advapi, "MD5Init", md5.init);
  Export(advapi, "MD5Update", md5.update);
  Export(advapi, "MD5Final", md5.finish);
  return md5.init != nullptr && md5.update != nullptr && md5.finish != nullptr;
}

void Md5TextWith(const Md5Functions& md5, const void* bytes, std::size_t length,
                 char (&out)[kChecksumTextSize]) {
  Md5Context context;
  md5.init(&context);
  md5.update(&context, static_cast<const unsigned char*>(bytes), static_cast<unsigned int>(length));
  md5.finish(&context);
  FormatChecksumText(context.digest, out);
}

void Md5Text(const void* bytes, std::size_t length, char (&out)[kChecksumTextSize]) {
  std::memset(out, 0, 2 * kDigestSize);
  HMODULE advapi = LoadLibraryA("advapi32.dll");
  if (advapi == nullptr) return;
  Md5Functions md5{};
  if (FindMd5Functions(advapi, md5)) Md5TextWith(md5, bytes, length, out);
  FreeLibrary(advapi);
}

unsigned long FileMd5Text(const char* path, char (&out)[kChecksumTextSize]) {
  std::memset(out, 0, sizeof out);
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return 0;
  const LONG size = _llseek(file, 0, FILE_END);
  _llseek(file, 0, FILE_BEGIN);
  if (size == HFILE_ERROR) {
    _lclose(file);
    return 0;
  }
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<DWORD>(size) + 500);
  void* block = memory != nullptr ? GlobalLock(memory) : nullptr;
  if (block == nullptr) {
    if (memory != nullptr) GlobalFree(memory);
    _lclose(file);
    return 0;
  }
  // Asking for more than the size reads the whole file even if it grew a little.
  const UINT read = _lread(file, block, static_cast<UINT>(size) + 100);
  _lclose(file);
  const unsigned long got = read == static_cast<UINT>(HFILE_ERROR) ? 0 : read;
  Md5Text(block, got, out);
  GlobalUnlock(memory);
  GlobalFree(memory);
  return got;
}
