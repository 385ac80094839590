#include "registry_snapshot.h"

namespace {

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

SavedKey SaveOpenKey(HKEY key) {
  SavedKey saved;
  saved.exists = true;
  saved.values = KeyValues(key);
  for (const std::wstring& name : SubkeyNames(key)) {
    HKEY subkey;
    if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &subkey) != ERROR_SUCCESS) continue;
    saved.subkeys.emplace_back(name, SaveOpenKey(subkey));
    RegCloseKey(subkey);
  }
  return saved;
}

void RestoreOpenKey(HKEY key, const SavedKey& saved) {
  for (const SavedValue& value : saved.values) {
    RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type,
                   reinterpret_cast<const BYTE*>(value.data.data()),
                   static_cast<DWORD>(value.data.size()));
  }
  for (const auto& [name, subkey] : saved.subkeys) {
    HKEY created;
    if (RegCreateKeyExW(key, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
      continue;
    }
    RestoreOpenKey(created, subkey);
    RegCloseKey(created);
  }
}

void DeleteOpenKeyTree(HKEY parent, const std::wstring& name) {
  HKEY key;
  if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    wchar_t subkey[256];
    DWORD size = sizeof subkey / sizeof subkey[0];
    while (RegEnumKeyExW(key, 0, subkey, &size, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS) {
      DeleteOpenKeyTree(key, subkey);
      size = sizeof subkey / sizeof subkey[0];
    }
    RegCloseKey(key);
  }
  RegDeleteKeyW(parent, name.c_str());
}

}  // namespace

std::vector<SavedValue> KeyValues(HKEY key) {
  std::vector<SavedValue> values;
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];
    DWORD nameSize = sizeof name / sizeof name[0];
    DWORD type = 0;
    DWORD dataSize = 0;
    if (RegEnumValueW(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) !=
        ERROR_SUCCESS) {
      break;
    }
    std::string data(dataSize, '\0');
    nameSize = sizeof name / sizeof name[0];
    RegEnumValueW(key, index, name, &nameSize, nullptr, &type,
                  reinterpret_cast<BYTE*>(&data[0]), &dataSize);
    data.resize(dataSize);
    values.push_back({std::wstring(name, nameSize), type, data});
  }
  return values;
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
  std::vector<std::wstring> names;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameSize = sizeof name / sizeof name[0];
    if (RegEnumKeyExW(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, nameSize);
  }
  return names;
}

SavedKey SaveKey(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return SavedKey{};
  SavedKey saved = SaveOpenKey(key);
  RegCloseKey(key);
  return saved;
}

void RestoreKey(HKEY root, const std::string& path, const SavedKey& saved) {
  DeleteKeyTree(root, path);
  if (!saved.exists) return;
  HKEY key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RestoreOpenKey(key, saved);
  RegCloseKey(key);
}

void DeleteKeyTree(HKEY root, const std::string& path) { DeleteOpenKeyTree(root, Wide(path)); }
