// The IME's registration in the prefix's registry, its preload lists, the
// system entries, and the file passes that place its module.
#include <shlwapi.h>

#include <cstring>
#include <utility>

#include "data/install_dir.h"
#include "payload/install_files.h"
#include "shell/payload_memory.h"
#include "system/ime_registration.h"
#include "system/platform.h"
#include "system/preload_list.h"
#include "system/seams.h"
#include "system/state.h"
#include "system/system_entries.h"
#include "test_support.h"

namespace {

const std::string kLayouts = "System\\CurrentControlSet\\Control\\Keyboard Layouts\\";
const char kUser[] = "keyboard layout";  // under HKEY_CURRENT_USER
const char kDefaultUser[] = ".DEFAULT\\keyboard layout";  // under HKEY_USERS

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::vector<std::pair<std::string, std::string>> Messages;

int WINAPI RecordMessage(HWND, LPCSTR text, LPCSTR caption, UINT) {
  Messages.emplace_back(text, caption);
  return IDOK;
}

HKL WINAPI RefuseIme(LPCWSTR, LPCWSTR) { return nullptr; }

void AddLayout(const std::string& id, const std::wstring& text) {
  WriteTextW(HKEY_LOCAL_MACHINE, Wide(kLayouts + id), L"Layout Text", text);
}

std::wstring LayoutValue(const std::string& id, const wchar_t* name) {
  return ReadTextW(HKEY_LOCAL_MACHINE, Wide(kLayouts + id).c_str(), name);
}

// A preload list, read as "place=id " for each place that holds one.
void SetPreload(HKEY root, const std::string& layout, const std::vector<std::string>& ids) {
  SHDeleteKeyA(root, (layout + "\\preload").c_str());
  for (std::size_t i = 0; i < ids.size(); ++i) {
    WriteTextW(root, Wide(layout + "\\preload"), std::to_wstring(i + 1).c_str(), Wide(ids[i]));
  }
}

void SetBothPreloads(const std::vector<std::string>& ids) {
  SetPreload(HKEY_CURRENT_USER, kUser, ids);
  SetPreload(HKEY_USERS, kDefaultUser, ids);
}

std::wstring Listed(const std::vector<std::string>& ids) {
  std::wstring places;
  for (std::size_t i = 0; i < ids.size(); ++i) places += std::to_wstring(i + 1) + L"=" + Wide(ids[i]) + L" ";
  return places;
}

std::wstring Preload(HKEY root, const std::string& layout) {
  std::wstring places;
  for (int place = 1; place <= 60; ++place) {
    const std::wstring id = ReadTextW(root, Wide(layout + "\\preload").c_str(), std::to_wstring(place).c_str());
    if (id[0] != L'(') places += std::to_wstring(place) + L"=" + id + L" ";
  }
  return places;
}

class ImeRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    OemCodePage = CurrentConfig().oemCodePage;
    Messages.clear();
    Platform.MessageBoxA = RecordMessage;
    Platform.ImmInstallIMEW = RefuseIme;
    IsWindows64();
  }
};

TEST_F(ImeRegistry, TheRegistryWayWritesTheNextLayoutEntryAndListsIt) {
  AddLayout("00000409", L"US");
  SetPreload(HKEY_CURRENT_USER, kUser, {"00000409"});
  RegisterIme();
  EXPECT_EQ(L"LANZHU4.IME", LayoutValue("E0010804", L"IME file"));
  EXPECT_EQ(L"kbdus.dll", LayoutValue("E0010804", L"layout file"));
  EXPECT_EQ(L"智能岚舟输入平台  7.3", LayoutValue("E0010804", L"layout text"));
  EXPECT_EQ(Listed({"00000409", "e0010804"}), Preload(HKEY_CURRENT_USER, kUser));
  EXPECT_TRUE(Messages.empty());

  // With no id left above the highest one, nothing is written.
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kLayouts + "E0010804").c_str());
  AddLayout("FFFF0804", L"其他输入法");
  const std::size_t layouts = KeyboardLayoutKeys().size();
  RegisterIme();
  EXPECT_EQ(layouts, KeyboardLayoutKeys().size());
  ASSERT_EQ(1u, Messages.size());
  EXPECT_EQ(Gbk(L"在WIN2000和WIN NT系统中安装本软件时，需要以系统管理员身份才能安装成功！"), Messages[0].first);
  EXPECT_EQ(Gbk(L"智能岚舟(岚舟五笔)"), Messages[0].second);
}

TEST_F(ImeRegistry, PreloadListsTakeTheImeLastPromoteItToPlace2AndSwapPlaces1And2) {
  std::vector<std::string> full;
  for (int i = 1; i <= 49; ++i) full.push_back("0000" + std::to_string(1000 + i));
  SetPreload(HKEY_CURRENT_USER, kUser, full);
  AppendImeToPreload("E0050804");
  full[48] = "e0050804";  // a full list gives up its last place
  EXPECT_EQ(Listed(full), Preload(HKEY_CURRENT_USER, kUser));

  // Found by the GBK form of its name; XP moves it up to place 2 in both
  // users' lists.
  AddLayout("E0050804", L"智能岚舟输入平台  6.3");
  SetBothPreloads({"00000409", "00000804", "00000404", "E0050804", "00000411"});
  ASSERT_EQ(1, FindImeInPreload());
  PromoteImeInPreload();
  const std::wstring promoted = Listed({"00000409", "E0050804", "00000804", "00000404", "00000411"});
  EXPECT_EQ(promoted, Preload(HKEY_CURRENT_USER, kUser));
  EXPECT_EQ(promoted, Preload(HKEY_USERS, kDefaultUser));

  SetBothPreloads({"E0050804", "00000409", "00000804"});
  ASSERT_EQ(1, FindImeInPreload());
  MakeImeNonDefault();
  const std::wstring swapped = Listed({"00000409", "E0050804", "00000804"});
  EXPECT_EQ(swapped, Preload(HKEY_CURRENT_USER, kUser));
  EXPECT_EQ(swapped, Preload(HKEY_USERS, kDefaultUser));
}

TEST_F(ImeRegistry, SystemEntriesNameTheEditionAndOnlyThisVersionsToken) {
  const wchar_t uninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb";
  for (int edition : {kWubiEdition, kPinyinEdition}) {
    Edition = edition;
    ASSERT_TRUE(WriteUninstallEntry());
    EXPECT_EQ(edition == kPinyinEdition ? L"岚舟拼音" : L"岚舟五笔",
              ReadTextW(HKEY_LOCAL_MACHINE, uninstall, L"DisplayName"));
  }
  const wchar_t platform[] =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
  WriteTextW(HKEY_LOCAL_MACHINE, platform, L"lzsr7200", L"x");
  ASSERT_TRUE(WriteUserAgentToken());
  EXPECT_EQ(L"", ReadTextW(HKEY_LOCAL_MACHINE, platform, L"lzsr7300"));
  EXPECT_EQ(L"(no value)", ReadTextW(HKEY_LOCAL_MACHINE, platform, L"lzsr7200"));
}

// The system's module loaded, as running programs hold the IME: it can be
// renamed but not overwritten, so the second pass moves it aside.
TEST_F(ImeRegistry, TheSecondPassMovesTheModuleInUseAsideAndCopiesAgain) {
  AcquirePayloadMemory();
  CreateDirectoryA("c:\\passes", nullptr);
  std::strcpy(InstallDir, "c:\\passes\\");
  const std::string system = SystemDir() + "\\";
  InstallFiles(false);
  const auto entries = InflatedEntries(std::string(reinterpret_cast<const char*>(Payload), PayloadSize));
  std::string placed;
  ASSERT_TRUE(ReadBytes(system + "lanzhu4.ime", &placed));
  EXPECT_TRUE(StampedModule(entries.at("lanz320.ime")) == placed);
  HMODULE held = LoadLibraryExA((system + "lanzhu4.ime").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  ASSERT_NE(nullptr, held);
  InstallFiles(true);
  FreeLibrary(held);
  ReleasePayloadMemory();
  EXPECT_TRUE(Messages.empty());
  std::string full, aside;
  ASSERT_TRUE(ReadBytes(system + "lanzhu4.ime", &full));
  EXPECT_TRUE(entries.at("lanzhu4.ime") == full);
  ASSERT_TRUE(ReadBytes(system + "lanzhu2.ime", &aside));
  EXPECT_TRUE(placed == aside);
}

}  // namespace
