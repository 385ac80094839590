#include "container_input.h"

#include "core/extraction_plan.h"
#include "gbk_names.h"
#include "messages.h"


bool EntryFilePath(const std::string& dir, const ContainerEntry& entry, std::string& path,
                   std::string& error) {
  if (!EntryMayBeWritten(entry)) {
    error = "not a plain file name";
    return false;
  }
  std::string name;
  if (!GbkToUtf8(entry.name, name)) {
    error = "name is not GBK";
    return false;
  }
  path = dir + "/" + name;
  return true;
}

static void ReportEarlyEnd(const std::string& path, const ContainerWalk& walk) {
  if (walk.length < kContainerHeaderSize) {
    PrintError(path + ": too short for a container header");
    return;
  }
  PrintError(path + ": walk ended after " + std::to_string(walk.walked) + " of " +
             std::to_string(walk.entryCount) + " entries at offset " +
             std::to_string(walk.offset) + " (bad tag or entry past the end)");
}

int VisitContainer(const std::string& path, const EntryVisitor& visit,
                   std::uint32_t* entryCount) {
  Bytes container;
  std::string error;
  if (!ReadWholeFile(path, container, error)) {
    PrintError(path + ": " + error);
    return 1;
  }
  bool failed = false;
  ContainerWalk walk = StartWalk(container.data(), container.size());
  if (entryCount != nullptr) *entryCount = walk.entryCount;
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    if (!visit(walk.format, entry)) failed = true;
  }
  if (walk.endedEarly) {
    ReportEarlyEnd(path, walk);
    failed = true;
  }
  return failed ? 1 : 0;
}
