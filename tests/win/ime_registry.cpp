#include "ime_registry.h"


#include <algorithm>

#include "system/platform.h"
#include "system/preload_list.h"
#include "system/seams.h"
#include "system/state.h"
#include "test_support.h"

const char kLayouts[] = "System\\CurrentControlSet\\Control\\Keyboard Layouts";
const char kUserLayout[] = "keyboard layout";
const char kDefaultUserLayout[] = ".DEFAULT\\keyboard layout";

std::vector<std::pair<std::string, std::string>> Messages;

namespace {

int WINAPI RecordMessage(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  EXPECT_EQ(static_cast<UINT>(MB_OK), type);
  Messages.emplace_back(text, caption);
  return IDOK;
}

std::wstring ReadWide(HKEY key, const wchar_t* name) {
  wchar_t data[512] = {};
  DWORD size = sizeof data - sizeof data[0];
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
      ERROR_SUCCESS) {
    return L"<missing>";
  }
  return data;
}

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }
std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

void AddLayout(const std::string& id, const wchar_t* text) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kLayouts) + "\\" + id).c_str(),
                                           0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  if (text != nullptr) {
    RegSetValueExW(key, L"Layout Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof text[0]));
  }
  RegCloseKey(key);
}

std::vector<std::string> LayoutIds() {
  std::vector<std::string> ids;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kLayouts, 0, KEY_READ, &key) != ERROR_SUCCESS) return ids;
  char name[256];
  DWORD size = sizeof name;
  for (DWORD index = 0; RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr,
                                      nullptr) == ERROR_SUCCESS;
       ++index, size = sizeof name) {
    ids.push_back(name);
  }
  RegCloseKey(key);
  return ids;
}

std::wstring LayoutValue(const std::string& id, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kLayouts) + "\\" + id).c_str(), 0, KEY_READ,
                    &key) != ERROR_SUCCESS) {
    return L"<no key>";
  }
  const std::wstring value = ReadWide(key, Wide(name).c_str());
  RegCloseKey(key);
  return value;
}

void SetPreload(HKEY root, const char* layout, const Places& places, bool as9x) {
  const std::string path = std::string(layout) + "\\preload";
  DeleteKeyTree(root, path);
  HKEY preload;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &preload, nullptr));
  for (const auto& [place, id] : places) {
    const std::string name = std::to_string(place);
    HKEY key = preload;
    if (as9x) RegCreateKeyExA(preload, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, as9x ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(id.c_str()), static_cast<DWORD>(id.size()));
    if (as9x) RegCloseKey(key);
  }
  RegCloseKey(preload);
}

Places Preload(HKEY root, const char* layout, bool as9x) {
  Places places;
  HKEY preload;
  if (RegOpenKeyExA(root, (std::string(layout) + "\\preload").c_str(), 0, KEY_READ, &preload) !=
      ERROR_SUCCESS) {
    return places;
  }
  for (int place = 1; place <= 60; ++place) {
    const std::wstring name = std::to_wstring(place);
    std::wstring id = L"<missing>";
    HKEY key;
    if (!as9x) {
      id = ReadWide(preload, name.c_str());
    } else if (RegOpenKeyExW(preload, name.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      id = ReadWide(key, nullptr);
      RegCloseKey(key);
    }
    if (id != L"<missing>") places[place] = Ascii(id);
  }
  RegCloseKey(preload);
  return places;
}

Places Listed(const std::vector<std::string>& ids) {
  Places places;
  for (std::size_t i = 0; i < ids.size(); ++i) places[static_cast<int>(i) + 1] = ids[i];
  return places;
}

std::string Narrow(const wchar_t* text, UINT codePage) {
  char bytes[512] = {};
  WideCharToMultiByte(codePage, 0, text, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
  return bytes;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}

DWORD WINAPI Windows98Version() { return 0xC0000A04; }
HKL WINAPI RefuseIme(LPCWSTR, LPCWSTR) { return nullptr; }

void ImeRegistry::SetUp() {
  // The code page that the configuration's locale gives the program.
  OemCodePage = CurrentConfig().oemCodePage;
  traditional_ = OemCodePage == 950;
  language_ = traditional_ ? "0404" : "0804";
  productName_ = traditional_ ? L"智能嵐舟輸入平台" : L"智能岚舟输入平台";
  Platform.MessageBoxA = RecordMessage;
  Platform.ImmInstallIMEW = RefuseIme;
  Messages.clear();
  PreloadTable = PreloadTableState{};
  IsWindows64();
  layouts_ = SaveKey(HKEY_LOCAL_MACHINE, kLayouts);
  // Windows always has it; a fresh Wine prefix has it only after the first
  // input method was installed.
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLayouts, 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr));
  RegCloseKey(key);
  layoutsBefore_ = LayoutIds();
  userLayout_ = SaveKey(HKEY_CURRENT_USER, kUserLayout);
  defaultUserLayout_ = SaveKey(HKEY_USERS, kDefaultUserLayout);
}

void ImeRegistry::TearDown() {
  Platform.MessageBoxA = ::MessageBoxA;
  Platform.ImmInstallIMEW = ::ImmInstallIMEW;
  Platform.GetVersion = ::GetVersion;
  RestoreKey(HKEY_LOCAL_MACHINE, kLayouts, layouts_);
  RestoreKey(HKEY_CURRENT_USER, kUserLayout, userLayout_);
  RestoreKey(HKEY_USERS, kDefaultUserLayout, defaultUserLayout_);
}

std::vector<std::string> ImeRegistry::NewLayouts() {
  std::vector<std::string> added;
  for (const std::string& id : LayoutIds()) {
    if (std::find(layoutsBefore_.begin(), layoutsBefore_.end(), id) == layoutsBefore_.end()) {
      added.push_back(id);
    }
  }
  return added;
}

void ImeRegistry::ForgetNewLayouts() {
  for (const std::string& id : NewLayouts()) DeleteKeyTree(HKEY_LOCAL_MACHINE, std::string(kLayouts) + "\\" + id);
}
