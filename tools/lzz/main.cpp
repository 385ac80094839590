// lzz: builds and reads the installer's containers on the build machine.

#include "commands.h"

#include <cstdio>
#include <cstring>

static int Usage() {
  std::fputs(
      "usage: lzz pack [--plain] OUT FILE...   add files, one entry each, to container OUT\n"
      "       lzz list C                       name, compressed size, inflated size, checksum\n"
      "       lzz extract C DIR                write every entry into DIR, checking checksums\n"
      "       lzz verify C DIR                 compare the files in DIR with container C\n",
      stderr);
  return 2;
}

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const char* command = argv[1];
  if (std::strcmp(command, "pack") == 0) return PackCommand(argc - 2, argv + 2);
  if (std::strcmp(command, "list") == 0) return ListCommand(argc - 2, argv + 2);
  if (std::strcmp(command, "extract") == 0) return ExtractCommand(argc - 2, argv + 2);
  if (std::strcmp(command, "verify") == 0) return VerifyCommand(argc - 2, argv + 2);
  return Usage();
}
