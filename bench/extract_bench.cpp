// Times the installer's extraction and verification of a container against
// the least work that gives the same result in the same process: inflate,
// MD5 and write every entry with one call each, then read each file back
// whole and MD5 it.
//   extract_bench CONTAINER SCRATCHDIR
// Prints one line: "extract+verify <ms> limit <ms> md5text-calls <ms>".

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "clock_ms.h"
#include "core/container_walk.h"
#include "core/entry_stream.h"
#include "data/install_dir.h"
#include "payload/advapi_md5.h"
#include "payload/extract_container.h"
#include "payload/md5_text.h"
#include "payload/verify_files.h"
#include "shell/payload_memory.h"

namespace {

bool ReadWhole(const char* path, std::vector<unsigned char>& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD got = 0;
  const bool ok = bytes.empty() ||
                  (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                   got == bytes.size());
  CloseHandle(file);
  return ok;
}

// An empty directory of that name.
std::string FreshDir(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string path = dir + "\\" + found.cFileName;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

// The installer's way: returns the milliseconds, -1 when anything failed.
double InstallerRun(const std::vector<unsigned char>& container, const std::string& dir) {
  std::strcpy(InstallDir, FreshDir(dir).c_str());
  static char report[4096];
  const double start = Now();
  const int extracted = ExtractContainer(container.data(), container.size(), WorkBuffer,
                                         kWorkBufferSize);
  const unsigned passed = VerifyInstalledFiles(container.data(), container.size(), report,
                                               sizeof report, kPayloadUncheckedFiles);
  const double elapsed = Now() - start;
  return extracted == 1 && passed == StartWalk(container.data(), container.size()).entryCount
             ? elapsed
             : -1;
}

// The least work with the same result.
double LimitRun(const Md5Functions& md5, const std::vector<unsigned char>& container,
                const std::string& dir) {
  const std::string target = FreshDir(dir);
  static std::vector<unsigned char> readBack(kWorkBufferSize);
  bool ok = true;
  const double start = Now();
  ContainerWalk walk = StartWalk(container.data(), container.size());
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    std::size_t inflated = 0;
    ok = InflateEntry(entry.stream, entry.streamLength, WorkBuffer, kWorkBufferSize, inflated) && ok;
    char text[kChecksumTextSize];
    Md5TextWith(md5, WorkBuffer, inflated, text);
    ok = std::strcmp(text, entry.checksum) == 0 && ok;
    HANDLE file = CreateFileA((target + entry.name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ok = WriteFile(file, WorkBuffer, static_cast<DWORD>(inflated), &written, nullptr) && ok;
    CloseHandle(file);
  }
  walk = StartWalk(container.data(), container.size());
  while (NextEntry(walk, entry)) {
    HANDLE file = CreateFileA((target + entry.name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD got = 0;
    ok = ReadFile(file, readBack.data(), static_cast<DWORD>(readBack.size()), &got, nullptr) && ok;
    CloseHandle(file);
    char text[kChecksumTextSize];
    Md5TextWith(md5, readBack.data(), got, text);
    ok = std::strcmp(text, entry.checksum) == 0 && ok;
  }
  const double elapsed = Now() - start;
  return ok ? elapsed : -1;
}

// What loading and freeing advapi32 around each checksum costs: as many
// Md5Text calls as one extraction and verification make, on no bytes.
double Md5TextCalls(std::uint32_t entries) {
  char text[kChecksumTextSize];
  const double start = Now();
  for (std::uint32_t i = 0; i < 2 * entries; ++i) Md5Text("", 0, text);
  return Now() - start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: extract_bench CONTAINER SCRATCHDIR\n");
    return 2;
  }
  std::vector<unsigned char> container;
  if (!ReadWhole(argv[1], container)) {
    std::fprintf(stderr, "extract_bench: cannot read %s\n", argv[1]);
    return 1;
  }
  AcquirePayloadMemory();
  // Looked up once for the whole run: the least a checksum can cost.
  Md5Functions md5{};
  if (WorkBuffer == nullptr || !FindMd5Functions(LoadLibraryA("advapi32.dll"), md5)) {
    std::fprintf(stderr, "extract_bench: no work buffer or no MD5\n");
    return 1;
  }
  const std::string scratch = argv[2];
  CreateDirectoryA(scratch.c_str(), nullptr);
  // Untimed first runs take the first-touch costs of memory and files.
  InstallerRun(container, scratch + "\\installer");
  LimitRun(md5, container, scratch + "\\limit");
  const double installer = InstallerRun(container, scratch + "\\installer");
  const double limit = LimitRun(md5, container, scratch + "\\limit");
  const double calls = Md5TextCalls(StartWalk(container.data(), container.size()).entryCount);
  if (installer < 0 || limit < 0) {
    std::fprintf(stderr, "extract_bench: a run did not extract and verify every entry\n");
    return 1;
  }
  std::printf("extract+verify %.2f limit %.2f md5text-calls %.2f\n", installer, limit, calls);
  return 0;
}
