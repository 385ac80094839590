#include "commands.h"
#include "container_input.h"
#include "core/entry_stream.h"
#include "gbk_names.h"
#include "messages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

int ListCommand(int argc, char** argv) {
  if (argc != 1) {
    PrintError("list needs one container");
    return 2;
  }
  Bytes inflated(kInflateLimit);
  return VisitContainer(
      argv[0],
      [&](ContainerFormat format, const ContainerEntry& entry) {
        std::size_t length = 0;
        const bool inflates = InflateEntry(entry.stream, entry.streamLength, inflated.data(),
                                           inflated.size(), length);
        // A GBK name is as wide on a terminal as it is long in bytes.
        const std::size_t stored = std::min(kMaxEntryName, std::strlen(entry.name));
        const int pad = static_cast<int>(kMaxEntryName - stored);
        std::printf("%s%*s %10u %10s %s\n", DisplayName(entry.name).c_str(), pad, "",
                    entry.streamLength, inflates ? std::to_string(length).c_str() : "bad",
                    format == ContainerFormat::Checksummed ? entry.checksum : "-");
        if (!inflates) PrintError(DisplayName(entry.name) + ": does not inflate within 2 MiB");
        return inflates;
      });
}
