#include "commands.h"
#include "container_input.h"
#include "gbk_names.h"
#include "md5_text.h"
#include "messages.h"

#include <cstdio>
#include <cstring>

// The installer's test of an installed file: its checksum in the checksummed
// format; in the plain format only a length of at least the stream's.
static bool EntryPasses(const std::string& dir, ContainerFormat format,
                        const ContainerEntry& entry) {
  const std::string shown = DisplayName(entry.name);
  std::string path;
  std::string error;
  Bytes data;
  if (!EntryFilePath(dir, entry, path, error) || !ReadWholeFile(path, data, error)) {
    PrintError(shown + ": " + error);
    return false;
  }
  if (format == ContainerFormat::Plain) {
    if (data.size() >= entry.streamLength) return true;
    PrintError(shown + ": shorter than its stream");
    return false;
  }
  char text[kChecksumTextSize];
  Md5Text(data.data(), data.size(), text);
  if (std::strcmp(text, entry.checksum) == 0) return true;
  PrintError(shown + ": checksum differs");
  return false;
}

int VerifyCommand(int argc, char** argv) {
  if (argc != 2) {
    PrintError("verify needs a container and a directory");
    return 2;
  }
  std::uint32_t passed = 0;
  std::uint32_t entryCount = 0;
  const int status = VisitContainer(
      argv[0],
      [&](ContainerFormat format, const ContainerEntry& entry) {
        const bool passes = EntryPasses(argv[1], format, entry);
        if (passes) ++passed;
        return passes;
      },
      &entryCount);
  std::printf("%u of %u entries pass\n", passed, entryCount);
  return status;
}
