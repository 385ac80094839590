// Writes the generated entries of the payload into a folder:
//   gen_payload ENTRIES OUTDIR           every entry of the list that the
//                                        windows build does not build itself
//   gen_payload --skin N PARTS OUTDIR    the parts of skin container N
// Output depends only on the lists: the same lists give the same bytes.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "entry_list.h"
#include "makers.h"

namespace {

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "gen_payload: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool skin = argc == 5 && std::string(argv[1]) == "--skin";
  if (argc != 3 && !skin) {
    std::fprintf(stderr, "usage: gen_payload ENTRIES OUTDIR | gen_payload --skin N PARTS OUTDIR\n");
    return 2;
  }
  const int palette = skin ? std::atoi(argv[2]) : 0;
  if (skin && (palette < 1 || palette > 3)) return Fail("skin number must be 1, 2 or 3");
  const std::string listPath = argv[argc - 2];
  const std::string outDir = argv[argc - 1];

  std::vector<ListedEntry> entries;
  std::string error;
  if (!ReadEntryList(listPath, entries, error)) return Fail(error);
  for (const ListedEntry& entry : entries) {
    if (IsBuiltElsewhere(entry)) continue;
    Bytes bytes;
    if (!MakeEntry(entry, palette, bytes, error)) return Fail(error);
    if (!WriteFile(outDir + "/" + entry.name, bytes)) return Fail("cannot write " + outDir + "/" + entry.name);
  }
  return 0;
}
