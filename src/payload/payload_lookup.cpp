#include "payload/payload_lookup.h"

#include "core/container_walk.h"
#include "core/entry_stream.h"
#include "core/version_stamp.h"
#include "data/install_dir.h"
#include "payload/md5_text.h"
#include "system/state.h"

#include <cstring>

namespace {

// Inflates the payload entry `name` into WorkBuffer at kInflatedOffset;
// `checked` also holds it against its stored checksum. Returns its length,
// 0 when it is missing, damaged or fails the check.
std::size_t InflatePayloadEntry(const char* name, bool checked) {
  if (WorkBuffer == nullptr) return 0;
  WorkBuffer[kInflatedOffset] = 0;
  WorkBuffer[kInflatedOffset + 1] = 0;
  ContainerWalk walk = StartWalk(Payload, PayloadSize);
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    if (std::strcmp(entry.name, name) != 0) continue;
    // A damaged stream leaves bytes in the buffer but counts none of them.
    std::size_t inflated = 0;
    if (entry.streamLength == 0) return 0;
    unsigned char* out = WorkBuffer + kInflatedOffset;
    if (!InflateEntry(entry.stream, entry.streamLength, out, kWorkBufferSize - kInflatedOffset,
                      inflated)) {
      return 0;
    }
    if (!checked) return inflated;
    char text[kChecksumTextSize];
    Md5Text(out, inflated, text);
    const bool passes = walk.format == ContainerFormat::Checksummed &&
                        std::strcmp(text, entry.checksum) == 0;
    return passes ? inflated : 0;
  }
  return 0;
}

// Whether the open file holds exactly the `length` bytes at `expected`.
bool FileHolds(HANDLE file, const unsigned char* expected, std::size_t length) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || static_cast<ULONGLONG>(size.QuadPart) != length) return false;
  unsigned char chunk[16384];
  for (std::size_t at = 0; at < length;) {
    const DWORD want = static_cast<DWORD>(length - at < sizeof chunk ? length - at : sizeof chunk);
    DWORD got = 0;
    if (!ReadFile(file, chunk, want, &got, nullptr) || got != want) return false;
    if (std::memcmp(chunk, expected + at, want) != 0) return false;
    at += want;
  }
  return true;
}

}  // namespace

std::size_t FindPayloadEntry(const char* name) { return InflatePayloadEntry(name, false); }

HANDLE OpenAsShipped(const char* name) {
  const std::size_t length = InflatePayloadEntry(name, true);
  if (length == 0) return INVALID_HANDLE_VALUE;
  unsigned char* shipped = WorkBuffer + kInflatedOffset;
  StampVersionText(shipped, length);
  // A link opens as itself, holds no bytes and so never passes.
  HANDLE file = CreateFileA(InInstallDir(name).text, GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE || FileHolds(file, shipped, length)) return file;
  CloseHandle(file);
  return INVALID_HANDLE_VALUE;
}
