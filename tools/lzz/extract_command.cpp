#include "commands.h"
#include "container_input.h"
#include "core/entry_stream.h"
#include "gbk_names.h"
#include "md5_text.h"
#include "messages.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

// Inflates, checks and writes one entry; prints why when it cannot.
static bool ExtractEntry(const std::string& dir, ContainerFormat format,
                         const ContainerEntry& entry, Bytes& work) {
  const std::string shown = DisplayName(entry.name);
  std::string path;
  std::string error;
  if (!EntryFilePath(dir, entry, path, error)) {
    PrintError(shown + ": " + error + ", not written");
    return false;
  }
  std::size_t length = 0;
  if (!InflateEntry(entry.stream, entry.streamLength, work.data(), work.size(), length)) {
    PrintError(shown + ": does not inflate within 2 MiB, not written");
    return false;
  }
  if (format == ContainerFormat::Checksummed) {
    char text[kChecksumTextSize];
    Md5Text(work.data(), length, text);
    if (std::strcmp(text, entry.checksum) != 0) {
      PrintError(shown + ": checksum differs, not written");
      return false;
    }
  }
  if (!ReplaceFile(path, work.data(), length, error)) {
    PrintError(path + ": " + error);
    return false;
  }
  return true;
}

int ExtractCommand(int argc, char** argv) {
  if (argc != 2) {
    PrintError("extract needs a container and a directory");
    return 2;
  }
  const std::string dir = argv[1];
  if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
    PrintError(dir + ": " + std::strerror(errno));
    return 1;
  }
  Bytes work(kInflateLimit);
  return VisitContainer(
      argv[0],
      [&](ContainerFormat format, const ContainerEntry& entry) {
        return ExtractEntry(dir, format, entry, work);
      });
}
