#include "prefix_state.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "registry_snapshot.h"

namespace {

constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  return out;
}

void AddFiles(const std::wstring& dir, PrefixState* state) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring path = dir + L"\\" + found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      state->insert("file " + Utf8(path) + " " + std::to_string(found.nFileSizeLow));
    } else if (found.cFileName[0] != L'.') {
      state->insert("dir " + Utf8(path));
      AddFiles(path, state);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// Texts as text, "|" for each NUL; everything else in hexadecimal.
std::string ValueText(const SavedValue& value) {
  std::string text = std::to_string(value.type) + ":";
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ) {
    std::wstring wide(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / 2);
    std::replace(wide.begin(), wide.end(), L'\0', L'|');
    return text + Utf8(wide);
  }
  for (unsigned char byte : value.data) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    text += digits;
  }
  return text;
}

// Left out: COM's registrations, most of the registry and nothing an
// installation of this product writes, and Wine's own settings, which Wine
// changes as programs run.
bool IsLeftOut(const std::wstring& path) {
  const std::size_t wine = path.rfind(L"\\Software\\Wine");
  return path == L"HKLM\\Software\\Classes" || path == L"HKLM\\Software\\Wow6432Node\\Classes" ||
         (path.rfind(L"HKU\\", 0) == 0 && wine != std::wstring::npos && wine + 14 == path.size());
}

void AddKey(HKEY key, const std::wstring& path, PrefixState* state) {
  state->insert("key " + Utf8(path));
  for (const SavedValue& value : KeyValues(key)) {
    state->insert("reg " + Utf8(path) + " : " + Utf8(value.name) + " = " + ValueText(value));
  }
  for (const std::wstring& name : SubkeyNames(key)) {
    HKEY subkey;
    if (IsLeftOut(path + L"\\" + name) ||
        RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &subkey) != ERROR_SUCCESS) {
      continue;
    }
    AddKey(subkey, path + L"\\" + name, state);
    RegCloseKey(subkey);
  }
}

void AddRegistry(HKEY root, const std::wstring& rootName, const wchar_t* path, PrefixState* state) {
  HKEY key;
  // The 64-bit view shows the 32-bit one too, as its Wow6432Node.
  if (RegOpenKeyExW(root, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return;
  AddKey(key, rootName + (path[0] != L'\0' ? L"\\" : L"") + path, state);
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
  AddRegistry(HKEY_LOCAL_MACHINE, L"HKLM", L"System\\CurrentControlSet\\Control\\Keyboard Layouts",
              &state);
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
  for (const SavedValue& value : KeyValues(key)) {
    if (value.name != L"PendingFileRenameOperations") continue;
    // Pairs of a file and its new name, empty when the file goes.
    std::wstring list(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / 2);
    list.append(2, L'\0');
    const wchar_t* name = list.c_str();
    while (*name != L'\0') {
      const wchar_t* target = name + wcslen(name) + 1;
      if (*target == L'\0') paths.push_back(Utf8(name + (wcsncmp(name, L"\\??\\", 4) == 0 ? 4 : 0)));
      name = target + wcslen(target) + 1;
    }
  }
  RegCloseKey(key);
  return paths;
}

PrefixState AfterRestart(PrefixState state) {
  const std::vector<std::string> pending = PendingDeletions();
  const auto deleted = [&](const std::string& line, const std::string& kind) {
    return std::any_of(pending.begin(), pending.end(), [&](const std::string& path) {
      const std::string named = kind + path;
      return _strnicmp(line.c_str(), named.c_str(), named.size()) == 0 &&
             (line.size() == named.size() || line[named.size()] == ' ');
    });
  };
  // A directory goes only when nothing is left in it.
  const auto holdsSomething = [&](const std::string& dir) {
    return std::any_of(state.begin(), state.end(), [&](const std::string& line) {
      return line.rfind("file " + dir + "\\", 0) == 0 || line.rfind("dir " + dir + "\\", 0) == 0;
    });
  };
  for (const char* kind : {"file ", "dir "}) {
    for (auto line = state.begin(); line != state.end();) {
      const bool gone =
          deleted(*line, kind) && (kind[0] == 'f' || !holdsSomething(line->substr(4)));
      line = gone || line->find(" : PendingFileRenameOperations = ") != std::string::npos
                 ? state.erase(line)
                 : std::next(line);
    }
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
