#include "entry_list.h"

#include <fstream>
#include <sstream>

bool ReadEntryList(const std::string& path, std::vector<ListedEntry>& entries, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  entries.clear();
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    ListedEntry entry;
    if (!(fields >> entry.name >> entry.maker)) {
      error = path + ":" + std::to_string(number) + ": a name and a maker are needed";
      return false;
    }
    for (std::string arg; fields >> arg;) entry.args.push_back(arg);
    entries.push_back(entry);
  }
  return true;
}
