#include "commands.h"
#include "container_append.h"
#include "messages.h"

#include <cstring>

int PackCommand(int argc, char** argv) {
  ContainerFormat format = ContainerFormat::Checksummed;
  if (argc > 0 && std::strcmp(argv[0], "--plain") == 0) {
    format = ContainerFormat::Plain;
    --argc;
    ++argv;
  }
  if (argc < 2) {
    PrintError("pack needs a container and at least one file");
    return 2;
  }
  // File by file, stopping at the first one that cannot be added: what was
  // added before it stays, as after the installer's own appends.
  for (int i = 1; i < argc; ++i) {
    std::string error;
    if (!AppendFileToContainer(argv[0], argv[i], format, error)) {
      PrintError(error);
      return 1;
    }
  }
  return 0;
}
