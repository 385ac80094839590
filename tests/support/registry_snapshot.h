#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// A registry key as it was before a test changed it: its values, exactly as
// stored, and its subkeys.
struct SavedValue {
  std::wstring name;
  DWORD type;
  std::string data;
};
struct SavedKey {
  bool exists = false;
  std::vector<SavedValue> values;
  std::vector<std::pair<std::wstring, SavedKey>> subkeys;
};

// Every value of an open key, exactly as stored, and the names of its subkeys.
std::vector<SavedValue> KeyValues(HKEY key);
std::vector<std::wstring> SubkeyNames(HKEY key);
SavedKey SaveKey(HKEY root, const std::string& path);
// Puts the key back as saved: removed when it did not exist.
void RestoreKey(HKEY root, const std::string& path, const SavedKey& saved);
// Removes a key with everything under it.
void DeleteKeyTree(HKEY root, const std::string& path);
