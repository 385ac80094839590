#include "commands.h"
#include "container_input.h"
#include "core/entry_stream.h"
#include "gbk_names.h"
#include "messages.h"

#include <cstdio>
#include <string>

int ListCommand(int argc, char** argv) {
  if (argc != 1) {
    PrintError("list needs one container");
    return 2;
  }
  Bytes container;
  if (!LoadContainer(argv[0], container)) return 1;
  Bytes inflated(kInflateLimit);
  bool failed = false;
  ContainerWalk walk = StartWalk(container.data(), container.size());
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    std::size_t length = 0;
    const bool inflates = InflateEntry(entry.stream, entry.streamLength, inflated.data(),
                                       inflated.size(), length);
    failed = failed || !inflates;
    // A GBK name is as wide on a terminal as it is long in bytes.
    const std::string name = DisplayName(entry.name);
    const int pad = static_cast<int>(kMaxEntryName) - static_cast<int>(std::string(entry.name).size());
    std::printf("%s%*s %10u %10s %s\n", name.c_str(), pad > 0 ? pad : 0, "", entry.streamLength,
                inflates ? std::to_string(length).c_str() : "bad",
                walk.format == ContainerFormat::Checksummed ? entry.checksum : "-");
  }
  if (ReportEarlyEnd(argv[0], walk)) failed = true;
  if (failed && !walk.endedEarly) PrintError(std::string(argv[0]) + ": some entries do not inflate");
  return failed ? 1 : 0;
}
