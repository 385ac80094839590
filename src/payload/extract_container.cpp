#include "payload/extract_container.h"

#include "core/entry_stream.h"
#include "core/extraction_plan.h"
#include "data/install_dir.h"
#include "payload/file_replace.h"
#include "payload/md5_text.h"
#include "payload/payload_lookup.h"
#include "payload/payload_texts.h"
#include "system/message_box.h"
#include "system/product_texts.h"
#include "system/run_result.h"
#include "system/whole_file.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

void ShowEntryNotExtracted(const char* name) {
  LogStep("not extracted: %s", name);
  ShowGbkMessage(kEntryNotExtractedText, name, kInstallCaption, MB_OK);
}

// Inflates the entry into `out` and, in the checksummed format, checks it
// against its stored text. Returns the inflated length, 0 when it fails.
std::size_t InflateAndCheck(const ContainerWalk& walk, const ContainerEntry& entry,
                            unsigned char* out, std::size_t room) {
  std::size_t inflated = 0;
  if (!InflateEntry(entry.stream, entry.streamLength, out, room, inflated)) return 0;
  if (walk.format == ContainerFormat::Checksummed) {
    char text[kChecksumTextSize];
    Md5Text(out, inflated, text);
    if (std::strcmp(text, entry.checksum) != 0) return 0;
  }
  return inflated;
}

// Frees the target's name (deleting it, or renaming it aside when it cannot
// be deleted) and writes the file anew, whole or not at all.
bool WriteTarget(const char* target, const unsigned char* data, std::size_t length) {
  if (DeleteFileIfPresent(target) == -1) RenameAside(target);
  return WriteFileWhole(target, data, length);
}

}  // namespace

int ExtractContainer(const unsigned char* container, std::size_t length, unsigned char* work,
                     std::size_t workSize) {
  if (container == nullptr || work == nullptr || workSize <= kInflatedOffset) return 0;
  unsigned char* inflatedData = work + kInflatedOffset;
  const std::size_t room = workSize - kInflatedOffset;
  std::uint32_t written = 0;
  ContainerWalk walk = StartWalk(container, length);
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    char* name = reinterpret_cast<char*>(work);
    std::memcpy(name, entry.name, sizeof entry.name);
    // A name that could reach outside InstallDir fails before anything is
    // inflated, deleted or written.
    char target[kTargetPathSize];
    std::size_t inflated = 0;
    if (EntryTargetPath(InstallDir, entry, target)) {
      inflated = InflateAndCheck(walk, entry, inflatedData, room);
    }
    if (inflated != 0 && WriteTarget(target, inflatedData, inflated)) {
      ++written;
    } else {
      ShowEntryNotExtracted(name);
    }
  }
  // A container too short for its header counts no entries, yet is no
  // container that was written.
  return written == walk.entryCount && !walk.endedEarly ? 1 : 0;
}
