#include "payload/md5_text.h"

#include "core/checksum_text.h"

#include <windows.h>

#include <cstring>

namespace {

// advapi32's MD5 context: bit counters, state, input block, then the digest
// that MD5Final fills.
struct Md5Context {
  ULONG bitCount[2];
  ULONG state[4];
  unsigned char block[64];
  unsigned char digest[kDigestSize];
};

using Md5InitFunction = void(WINAPI*)(Md5Context*);
using Md5UpdateFunction = void(WINAPI*)(Md5Context*, const unsigned char*, unsigned int);
using Md5FinalFunction = void(WINAPI*)(Md5Context*);

// GetProcAddress returns a generic function pointer; going through void(*)()
// states that the cast to the export's real type is meant.
template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

void Md5Text(const void* bytes, std::size_t length, char (&out)[kChecksumTextSize]) {
  std::memset(out, 0, 2 * kDigestSize);
  HMODULE advapi = LoadLibraryA("advapi32.dll");
  if (advapi == nullptr) return;
  const auto init = Export<Md5InitFunction>(advapi, "MD5Init");
  const auto update = Export<Md5UpdateFunction>(advapi, "MD5Update");
  const auto finish = Export<Md5FinalFunction>(advapi, "MD5Final");
  if (init != nullptr && update != nullptr && finish != nullptr) {
    Md5Context context;
    init(&context);
    update(&context, static_cast<const unsigned char*>(bytes), static_cast<unsigned int>(length));
    finish(&context);
    FormatChecksumText(context.digest, out);
  }
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
