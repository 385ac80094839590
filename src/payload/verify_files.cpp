#include "payload/verify_files.h"

#include "core/extraction_plan.h"
#include "core/text_append.h"
#include "core/text_match.h"
#include "data/install_dir.h"
#include "payload/md5_text.h"
#include "payload/payload_texts.h"
#include "system/narrow_text.h"

#include <cstdio>
#include <cstring>

namespace {

bool EntryPasses(ContainerFormat format, const ContainerEntry& entry, const char* exclusions) {
  // An entry no extraction would write is never there to pass.
  char path[kTargetPathSize];
  if (!EntryTargetPath(InstallDir, entry, path)) return false;
  char text[kChecksumTextSize];
  const unsigned long read = FileMd5Text(path, text);
  if (format == ContainerFormat::Plain) return read >= entry.streamLength;
  return std::strcmp(text, entry.checksum) == 0 || ContainsNoCase(exclusions, entry.name) == 1;
}

}  // namespace

unsigned VerifyInstalledFiles(const unsigned char* container, std::size_t length, char* report,
                              std::size_t reportSize, const char* exclusions) {
  if (reportSize != 0) report[0] = '\0';
  unsigned passed = 0;
  ContainerWalk walk = StartWalk(container, length);
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    if (EntryPasses(walk.format, entry, exclusions)) {
      ++passed;
    } else {
      char failed[sizeof entry.name + 4];
      std::snprintf(failed, sizeof failed, "%s....", entry.name);
      AppendWhole(report, reportSize, failed);
    }
  }
  if (passed < walk.entryCount || walk.endedEarly) {
    char closing[64];
    ToNarrow(kFilesNotExtractedLine, kGbkCodePage, closing, sizeof closing);
    AppendWhole(report, reportSize, closing);
  }
  return passed;
}
