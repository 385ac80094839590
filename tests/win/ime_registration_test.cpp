#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ime_registry.h"
#include "system/ime_registration.h"
#include "system/seams.h"
#include "test_support.h"

namespace {

// Permissions that keep a key from being opened for writing, or at all.
const char kReadOnly[] = "D:(A;;KR;;;WD)";
const char kNoAccess[] = "D:(A;;RCWD;;;WD)";
const wchar_t kAdminText[] = L"在WIN2000和WIN NT系统中安装本软件时，需要以系统管理员身份才能安装成功！";

using ImeLayoutKey = ImeRegistry;

// The three values of an entry this installer wrote, on the NT family.
void ExpectOurEntry(const std::string& id, const std::wstring& productName) {
  EXPECT_EQ(L"LANZHU4.IME", LayoutValue(id, "IME file"));
  EXPECT_EQ(L"kbdus.dll", LayoutValue(id, "layout file"));
  EXPECT_EQ(productName + L"  7.3", LayoutValue(id, "layout text"));
}

TEST_F(ImeLayoutKey, AFirstRegistrationTakesTheIdAboveTheFloorAndIsListed) {
  AddLayout("00000409", L"US");
  AddLayout("E0300804", nullptr);  // no layout text: does not count
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed({"00000409"}));
  RegisterIme();
  EXPECT_EQ(nullptr, ImeLayoutHandle);
  const std::string id = "E001" + language_;
  EXPECT_EQ((std::vector<std::string>{"00000409", id, "E0300804"}), NewLayouts());
  ExpectOurEntry(id, productName_);
  EXPECT_EQ(Listed({"00000409", Lower(id)}), Preload(HKEY_CURRENT_USER, kUserLayout));
  EXPECT_TRUE(Messages.empty());
  // 64-bit programs see the same entry: this part of the registry is shared.
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kLayouts) + "\\" + id).c_str(),
                                         0, KEY_READ | KEY_WOW64_64KEY, &key));
  RegCloseKey(key);
}

TEST_F(ImeLayoutKey, CountsUpFromTheHighestIdWithAReadableText) {
  const struct {
    const char* highest;
    const char* number;
  } cases[] = {{"E0200804", "E021"}, {"E0220404", "E023"}, {"E0FF0411", "E100"}};
  for (const auto& c : cases) {
    AddLayout(c.highest, L"其他输入法");
    AddLayout("E0100804", L"其他输入法");
    // Neither a key without full access nor one without a text counts.
    AddLayout("E0400804", L"其他输入法");
    AllowOnly(HKEY_LOCAL_MACHINE, std::string(kLayouts) + "\\E0400804", kReadOnly);
    AddLayout("E0500804", nullptr);
    RegisterIme();
    const std::string id = c.number + language_;
    EXPECT_EQ(L"LANZHU4.IME", LayoutValue(id, "IME file")) << c.highest;
    EXPECT_EQ(5u, NewLayouts().size()) << c.highest;
    ForgetNewLayouts();
  }
}

TEST_F(ImeLayoutKey, ReusesAnEarlierEntryOfTheSameLanguage) {
  for (const std::wstring& text : {productName_ + L"  6.3", productName_, productName_ + L"XYZ"}) {
    const std::string id = "E005" + language_;
    AddLayout(id, text.c_str());
    AddLayout("E0200804", L"其他输入法");
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kLayouts) + "\\" + id).c_str(),
                                           0, KEY_ALL_ACCESS, &key));
    RegSetValueExA(key, "IME file", 0, REG_SZ, reinterpret_cast<const BYTE*>("OLD.IME"), 7);
    RegCloseKey(key);
    RegisterIme();
    EXPECT_EQ((std::vector<std::string>{id, "E0200804"}), NewLayouts());
    ExpectOurEntry(id, productName_);
    ForgetNewLayouts();
  }
}

TEST_F(ImeLayoutKey, RecreatesAnEarlierEntryOfTheOtherLanguageUnderItsNumber) {
  const std::string old = std::string("E005") + (traditional_ ? "0804" : "0404");
  AddLayout(old, (productName_ + L"  6.3").c_str());
  AddLayout("E0200804", L"其他输入法");
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed({"00000409", Lower(old), "00000411"}));
  RegisterIme();
  const std::string id = "E005" + language_;
  EXPECT_EQ((std::vector<std::string>{id, "E0200804"}), NewLayouts());
  ExpectOurEntry(id, productName_);
  EXPECT_EQ(Listed({"00000409", Lower(id), "00000411"}), Preload(HKEY_CURRENT_USER, kUserLayout));
}

TEST_F(ImeLayoutKey, TextsThatDifferWithinTheProductNameAreNotOurs) {
  const std::wstring otherScript = traditional_ ? L"智能岚舟输入平台  7.3" : L"智能嵐舟輸入平台  7.3";
  const std::wstring shortened = productName_.substr(0, 6) + L"法";
  for (const std::wstring& text : {otherScript, shortened}) {
    AddLayout("E0050804", text.c_str());
    RegisterIme();
    EXPECT_EQ(L"LANZHU4.IME", LayoutValue("E006" + language_, "IME file"));
    EXPECT_EQ(text, LayoutValue("E0050804", "layout text"));
    ForgetNewLayouts();
  }
}

TEST_F(ImeLayoutKey, FindsAnEarlierEntryAmongThreeHundredLayouts) {
  // Enumerated from the highest index down, the earlier entry comes last.
  const std::string earlier = "E001" + language_;
  AddLayout(earlier, (productName_ + L"  6.3").c_str());
  for (unsigned number = 2; number <= 301; ++number) {
    char id[16];
    std::snprintf(id, sizeof id, "E%03X0411", number);
    AddLayout(id, L"其他输入法");
  }
  RegisterIme();
  EXPECT_EQ(301u, NewLayouts().size());
  ExpectOurEntry(earlier, productName_);
}

TEST_F(ImeLayoutKey, The9xFamilyGetsItsLayoutFileAndAnUpperCaseId) {
  Platform.GetVersion = Windows98Version;
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed({"00000409"}), true);
  RegisterIme();
  const std::string id = "E001" + language_;
  EXPECT_EQ(L"kbdus.kbd", LayoutValue(id, "layout file"));
  EXPECT_EQ(productName_ + L"  7.3", LayoutValue(id, "layout text"));
  EXPECT_EQ(Listed({"00000409", id}), Preload(HKEY_CURRENT_USER, kUserLayout, true));
}

using ImeLayoutFailures = ImeRegistry;

// Each failure in both families: the NT family shows the same Chinese text.
void ExpectMessage(const char* text9x, const wchar_t* caption, bool as9x) {
  ASSERT_EQ(1u, Messages.size());
  EXPECT_EQ(as9x ? std::string(text9x) : Narrow(kAdminText, 936), Messages[0].first);
  EXPECT_EQ(Narrow(caption, 936), Messages[0].second);
  Messages.clear();
}

TEST_F(ImeLayoutFailures, AKeyboardLayoutsKeyThatCannotBeReadStopsEverything) {
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed({"00000409"}));
  AllowOnly(HKEY_LOCAL_MACHINE, kLayouts, kNoAccess);
  for (const bool as9x : {false, true}) {
    Platform.GetVersion = as9x ? Windows98Version : ::GetVersion;
    RegisterIme();
    ExpectMessage("Software open error1003", L"智能岚舟", as9x);
  }
  // A prefix where no input method was ever installed has no such key at all.
  AllowOnly(HKEY_LOCAL_MACHINE, kLayouts, "D:(A;;KA;;;WD)");
  DeleteKeyTree(HKEY_LOCAL_MACHINE, kLayouts);
  RegisterIme();
  ExpectMessage("Software open error1003", L"智能岚舟", true);
  EXPECT_EQ(Listed({"00000409"}), Preload(HKEY_CURRENT_USER, kUserLayout));
}

TEST_F(ImeLayoutFailures, ALayoutKeyThatCannotBeCreatedStopsBeforeTheList) {
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed({"00000409"}));
  // No id is left above the highest one.
  AddLayout("FFFF" + language_, L"其他输入法");
  for (const bool as9x : {false, true}) {
    Platform.GetVersion = as9x ? Windows98Version : ::GetVersion;
    RegisterIme();
    ExpectMessage("Software open error1004", L"智能岚舟(岚舟五笔)", as9x);
  }
  // An earlier entry of the other language takes an id that this user may
  // only read.
  DeleteKeyTree(HKEY_LOCAL_MACHINE, std::string(kLayouts) + "\\FFFF" + language_);
  AddLayout("E005" + std::string(language_ == "0804" ? "0404" : "0804"),
            (productName_ + L"  6.3").c_str());
  AddLayout("E005" + language_, L"其他输入法");
  AllowOnly(HKEY_LOCAL_MACHINE, std::string(kLayouts) + "\\E005" + language_, kReadOnly);
  RegisterIme();
  ExpectMessage("Software open error1004", L"智能岚舟(岚舟五笔)", true);
  EXPECT_EQ(Listed({"00000409"}), Preload(HKEY_CURRENT_USER, kUserLayout));
}

TEST_F(ImeLayoutFailures, AMissingUserListIsReportedAfterTheEntryIsWritten) {
  for (const bool as9x : {false, true}) {
    if (as9x) Platform.GetVersion = Windows98Version;
    DeleteKeyTree(HKEY_CURRENT_USER, as9x ? "keyboard layout\\preload" : kUserLayout);
    RegisterIme();
    EXPECT_EQ(productName_ + L"  7.3", LayoutValue("E001" + language_, "layout text"));
    ASSERT_EQ(1u, Messages.size());
    EXPECT_EQ("Software open error2003", Messages[0].first);
    EXPECT_EQ(Narrow(L"智能岚舟(岚舟五笔)", 936), Messages[0].second);
    Messages.clear();
    ForgetNewLayouts();
  }
}

using ImeInstall = ImeRegistry;

std::wstring PassedModule;
std::wstring PassedText;
HKL WINAPI AcceptIme(LPCWSTR moduleFile, LPCWSTR layoutText) {
  PassedModule = moduleFile;
  PassedText = layoutText;
  return reinterpret_cast<HKL>(static_cast<ULONG_PTR>(0xE0990804));
}

TEST_F(ImeInstall, TheInputMethodManagerOfWineRegistersTheModule) {
  Platform.ImmInstallIMEW = ::ImmInstallIMEW;
  ASSERT_EQ(1, InstallIme());
  char id[16];
  std::snprintf(id, sizeof id, "%08lx",
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(ImeLayoutHandle)));
  EXPECT_EQ(std::vector<std::string>{id}, NewLayouts());
  EXPECT_EQ(L"智能岚舟输入平台  7.3", LayoutValue(id, "layout text"));

  // A refusal later forgets the handle.
  Platform.ImmInstallIMEW = RefuseIme;
  EXPECT_EQ(0, InstallIme());
  EXPECT_EQ(nullptr, ImeLayoutHandle);
}

TEST_F(ImeInstall, AnAcceptedModuleNeedsNoRegistryEntryOfOurOwn) {
  SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed({"00000409"}));
  Platform.ImmInstallIMEW = AcceptIme;
  RegisterIme();
  EXPECT_EQ(reinterpret_cast<HKL>(static_cast<ULONG_PTR>(0xE0990804)), ImeLayoutHandle);
  wchar_t systemDir[MAX_PATH] = {};
  GetSystemDirectoryW(systemDir, MAX_PATH);
  EXPECT_EQ(std::wstring(systemDir) + L"\\lanzhu4.ime", PassedModule);
  EXPECT_EQ(L"智能岚舟输入平台  7.3", PassedText);
  EXPECT_TRUE(NewLayouts().empty());
  EXPECT_EQ(Listed({"00000409"}), Preload(HKEY_CURRENT_USER, kUserLayout));
}

}  // namespace
