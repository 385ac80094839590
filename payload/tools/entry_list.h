#pragma once

#include <string>
#include <vector>

// One line of a payload list (payload/entries.txt, payload/skin_parts.txt):
// the entry's file name (UTF-8), the maker that produces it and its arguments.
struct ListedEntry {
  std::string name;
  std::string maker;
  std::vector<std::string> args;
};

// Reads a list: blank lines and lines starting with '#' are skipped, fields
// are separated by blanks. Returns false with a one-line reason on failure.
bool ReadEntryList(const std::string& path, std::vector<ListedEntry>& entries, std::string& error);
