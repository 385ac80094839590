#include "prefix_state.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "driver.h"

namespace {

constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";

struct Value {
  std::wstring name;
  DWORD type;
  std::string data;
};

// Every value of an open key, exactly as stored.
std::vector<Value> Values(HKEY key) {
  std::vector<Value> values;
  std::wstring name(16384, L'\0');
  DWORD nameSize = 16384, type = 0, size = 0;
  for (DWORD index = 0; RegEnumValueW(key, index, &name[0], &nameSize, nullptr, &type, nullptr, &size) ==
                        ERROR_SUCCESS;
       ++index, nameSize = 16384) {
    std::string data(size + 1, '\0');
    nameSize = 16384;
    RegEnumValueW(key, index, &name[0], &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    values.push_back({name.substr(0, nameSize), type, data.substr(0, size)});
  }
  return values;
}

void AddFiles(const std::wstring& dir, PrefixState* state) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring path = dir + L"\\" + found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      state->insert("file " + ToUtf8(path) + " " + std::to_string(found.nFileSizeLow));
    } else if (found.cFileName[0] != L'.') {
      state->insert("dir " + ToUtf8(path));
      AddFiles(path, state);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// COM's registrations, which no installation of this product writes, and
// Wine's own settings, which Wine changes as programs run, are left out.
void AddKey(HKEY key, const std::wstring& path, PrefixState* state) {
  state->insert("key " + ToUtf8(path));
  for (const Value& value : Values(key)) {
    std::string text = std::to_string(value.type) + ":";
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ) {
      text += ToUtf8(std::wstring(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / 2));
    } else {
      for (unsigned char byte : value.data) text += "0123456789abcdef"[byte >> 4], text += "0123456789abcdef"[byte & 15];
    }
    state->insert("reg " + ToUtf8(path) + " : " + ToUtf8(value.name) + " = " + text);
  }
  wchar_t name[256];
  for (DWORD index = 0, size = 256;
       RegEnumKeyExW(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++index, size = 256) {
    const std::wstring sub = path + L"\\" + name;
    HKEY subkey;
    if (sub == L"HKLM\\Software\\Classes" || sub == L"HKLM\\Software\\Wow6432Node\\Classes" ||
        (sub.rfind(L"HKU\\", 0) == 0 && sub.size() > 14 && sub.compare(sub.size() - 14, 14, L"\\Software\\Wine") == 0) ||
        RegOpenKeyExW(key, name, 0, KEY_READ, &subkey) != ERROR_SUCCESS) {
      continue;
    }
    AddKey(subkey, sub, state);
    RegCloseKey(subkey);
  }
}

}  // namespace

PrefixState CapturePrefixState() {
  PrefixState state;
  // A 32-bit program sees the real system directory only without redirection.
  void* redirection = nullptr;
  const BOOL redirected = Wow64DisableWow64FsRedirection(&redirection);
  AddFiles(L"C:", &state);
  if (redirected) Wow64RevertWow64FsRedirection(redirection);
  const std::pair<HKEY, const wchar_t*> roots[] = {
      {HKEY_LOCAL_MACHINE, L"Software"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Keyboard Layouts"},
      {HKEY_LOCAL_MACHINE, kSessionManager},
      {HKEY_USERS, L""}};
  for (const auto& [root, path] : roots) {
    HKEY key;
    // The 64-bit view shows the 32-bit one too, as its Wow6432Node.
    if (RegOpenKeyExW(root, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) continue;
    AddKey(key, std::wstring(root == HKEY_USERS ? L"HKU" : L"HKLM\\") + path, &state);
    RegCloseKey(key);
  }
  return state;
}

std::vector<std::string> PendingDeletions() {
  std::vector<std::string> paths;
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return paths;
  }
  for (const Value& value : Values(key)) {
    if (value.name != L"PendingFileRenameOperations") continue;
    // Pairs of a file and its new name, empty when the file goes.
    std::wstring list(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / 2);
    list.append(2, L'\0');
    for (const wchar_t* name = list.c_str(); *name != L'\0';) {
      const wchar_t* target = name + wcslen(name) + 1;
      if (*target == L'\0') paths.push_back(ToUtf8(name + (wcsncmp(name, L"\\??\\", 4) == 0 ? 4 : 0)));
      name = target + wcslen(target) + 1;
    }
  }
  RegCloseKey(key);
  return paths;
}

PrefixState AfterRestart(PrefixState state) {
  for (const std::string& path : PendingDeletions()) {
    for (auto line = state.begin(); line != state.end();) {
      const bool file = line->size() > path.size() + 5 && line->compare(0, 5, "file ") == 0 &&
                        _strnicmp(line->c_str() + 5, path.c_str(), path.size()) == 0 &&
                        (*line)[5 + path.size()] == ' ';
      line = file ? state.erase(line) : std::next(line);
    }
    // A folder goes only when nothing is left in it.
    const auto folder = std::find_if(state.begin(), state.end(), [&](const std::string& line) {
      return _stricmp(line.c_str(), ("dir " + path).c_str()) == 0;
    });
    if (folder != state.end() && !std::any_of(state.begin(), state.end(), [&](const std::string& line) {
          return line.find(folder->substr(4) + "\\") != std::string::npos;
        })) {
      state.erase(folder);
    }
  }
  for (auto line = state.begin(); line != state.end();) {
    line = line->find(" : PendingFileRenameOperations = ") != std::string::npos ? state.erase(line)
                                                                                 : std::next(line);
  }
  return state;
}

std::vector<std::string> Changes(const PrefixState& before, const PrefixState& after) {
  std::vector<std::string> changes;
  for (const std::string& line : after) {
    if (before.count(line) == 0) changes.push_back("+ " + line);
  }
  for (const std::string& line : before) {
    if (after.count(line) == 0) changes.push_back("- " + line);
  }
  return changes;
}
