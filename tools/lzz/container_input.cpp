#include "container_input.h"

#include "core/extraction_plan.h"
#include "gbk_names.h"
#include "messages.h"

bool LoadContainer(const std::string& path, Bytes& container) {
  std::string error;
  if (ReadWholeFile(path, container, error)) return true;
  PrintError(path + ": " + error);
  return false;
}

bool EntryFilePath(const std::string& dir, const ContainerEntry& entry, std::string& path,
                   std::string& error) {
  if (!EntryMayBeWritten(entry)) {
    error = "not a plain file name, not written";
    return false;
  }
  std::string name;
  if (!GbkToUtf8(entry.name, name)) {
    error = "name is not GBK, not written";
    return false;
  }
  path = dir + "/" + name;
  return true;
}

bool ReportEarlyEnd(const std::string& containerPath, const ContainerWalk& walk) {
  if (!walk.endedEarly) return false;
  if (walk.length < kContainerHeaderSize) {
    PrintError(containerPath + ": too short for a container header");
  } else {
    PrintError(containerPath + ": walk ended after " + std::to_string(walk.walked) + " of " +
               std::to_string(walk.entryCount) + " entries at offset " +
               std::to_string(walk.offset) + " (bad tag or entry past the end)");
  }
  return true;
}
