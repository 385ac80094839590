#include "prefix_state.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "registry_snapshot.h"

namespace {

constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  return out;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

void AddFiles(const std::wstring& dir, PrefixState* state) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = dir + L"\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      state->insert("dir " + Utf8(path));
      AddFiles(path, state);
    } else {
      state->insert("file " + Utf8(path) + " " + std::to_string(found.nFileSizeLow));
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

std::string ValueText(DWORD type, const std::string& data) {
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    std::replace(text.begin(), text.end(), L'\0', L'|');
    return std::to_string(type) + ":" + Utf8(text);
  }
  std::string hex = std::to_string(type) + ":";
  for (unsigned char byte : data) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    hex += digits;
  }
  return hex;
}

// Left out: COM's registrations, most of the registry and nothing an
// installation of this product writes, and Wine's own settings, which Wine
// changes as programs run.
bool IsLeftOut(const std::wstring& path) {
  const std::wstring wine = L"\\Software\\Wine";
  return path == L"HKLM\\Software\\Classes" || path == L"HKLM\\Software\\Wow6432Node\\Classes" ||
         (path.rfind(L"HKU\\", 0) == 0 && path.size() > wine.size() &&
          path.compare(path.size() - wine.size(), wine.size(), wine) == 0);
}

void AddKey(HKEY key, const std::wstring& path, PrefixState* state) {
  for (const SavedValue& value : KeyValues(key)) {
    state->insert("reg " + Utf8(path) + " : " + Utf8(value.name) + " = " +
                  ValueText(value.type, value.data));
  }
  state->insert("key " + Utf8(path));
  for (const std::wstring& name : SubkeyNames(key)) {
    const std::wstring subpath = path + L"\\" + name;
    HKEY subkey;
    if (IsLeftOut(subpath) ||
        RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &subkey) != ERROR_SUCCESS) {
      continue;
    }
    AddKey(subkey, subpath, state);
    RegCloseKey(subkey);
  }
}

void AddRegistry(HKEY root, const wchar_t* rootName, const wchar_t* path, PrefixState* state) {
  HKEY key;
  // The 64-bit view shows the 32-bit one too, as its Wow6432Node.
  if (RegOpenKeyExW(root, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return;
  AddKey(key, std::wstring(rootName) + (path[0] != L'\0' ? L"\\" : L"") + path, state);
  RegCloseKey(key);
}

}  // namespace

PrefixState CapturePrefixState() {
  PrefixState state;
  // A 32-bit program sees the real system directory only without redirection.
  void* redirection = nullptr;
  const BOOL redirected = Wow64DisableWow64FsRedirection(&redirection);
  AddFiles(L"C:", &state);
  if (redirected) Wow64RevertWow64FsRedirection(redirection);
  AddRegistry(HKEY_LOCAL_MACHINE, L"HKLM", L"Software", &state);
  AddRegistry(HKEY_LOCAL_MACHINE, L"HKLM",
              L"System\\CurrentControlSet\\Control\\Keyboard Layouts", &state);
  AddRegistry(HKEY_LOCAL_MACHINE, L"HKLM", kSessionManager, &state);
  AddRegistry(HKEY_USERS, L"HKU", L"", &state);
  return state;
}

std::vector<std::string> PendingDeletions() {
  std::vector<std::string> paths;
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return paths;
  }
  std::wstring list(32768, L'\0');
  DWORD size = static_cast<DWORD>(list.size() * sizeof(wchar_t));
  const bool read = RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(&list[0]), &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (!read) return paths;
  list.resize(size / sizeof(wchar_t));
  // Pairs of source and target; an empty target deletes the source.
  std::vector<std::wstring> names;
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = list.find(L'\0', start);
    names.push_back(list.substr(start, end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
    if (names[i].empty() || !names[i + 1].empty()) continue;
    const std::wstring& name = names[i];
    paths.push_back(Utf8(name.rfind(L"\\??\\", 0) == 0 ? name.substr(4) : name));
  }
  return paths;
}

PrefixState AfterRestart(PrefixState state) {
  std::vector<std::string> deleted;
  for (const std::string& path : PendingDeletions()) deleted.push_back(Lower(path));
  const auto isDeleted = [&](const std::string& line, const char* kind) {
    const std::string lower = Lower(line);
    return std::any_of(deleted.begin(), deleted.end(), [&](const std::string& path) {
      return lower == kind + path || lower.rfind(kind + path + " ", 0) == 0;
    });
  };
  for (auto line = state.begin(); line != state.end();) {
    const bool gone = isDeleted(*line, "file ") ||
                      Lower(*line).find(" : pendingfilerenameoperations = ") != std::string::npos;
    line = gone ? state.erase(line) : std::next(line);
  }
  // A directory goes only when nothing is left in it.
  const auto holdsSomething = [&](const std::string& dir) {
    return std::any_of(state.begin(), state.end(), [&](const std::string& other) {
      return other.substr(other.find(' ') + 1).rfind(dir + "\\", 0) == 0;
    });
  };
  for (auto line = state.begin(); line != state.end();) {
    const bool gone = isDeleted(*line, "dir ") && !holdsSomething(line->substr(4));
    line = gone ? state.erase(line) : std::next(line);
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
