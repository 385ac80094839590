#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "shell/try_it_page.h"
#include "system/ime_registration.h"
#include "system/seams.h"
#include "system/state.h"

namespace {

// The layouts and descriptions of a system with this IME installed, which
// Wine cannot show: its layout list holds only its keyboard's layouts and
// every description reads "Wine XIM".
std::vector<HKL> Layouts;
std::map<HKL, std::string> Descriptions;
std::vector<HKL> Activated;

std::string Gbk(const std::wstring& text) {
  char out[128] = {};
  WideCharToMultiByte(936, 0, text.c_str(), -1, out, sizeof out, nullptr, nullptr);
  return out;
}

std::string Big5(const std::wstring& text) {
  char out[128] = {};
  WideCharToMultiByte(950, 0, text.c_str(), -1, out, sizeof out, nullptr, nullptr);
  return out;
}

int WINAPI ListLayouts(int size, HKL* layouts) {
  const int count = static_cast<int>(Layouts.size());
  for (int i = 0; i < count && i < size; ++i) layouts[i] = Layouts[i];
  return count < size ? count : size;
}

UINT WINAPI Describe(HKL layout, LPSTR description, UINT size) {
  const auto found = Descriptions.find(layout);
  if (found == Descriptions.end() || size == 0) return 0;
  std::strncpy(description, found->second.c_str(), size - 1);
  description[size - 1] = '\0';
  return static_cast<UINT>(std::strlen(description));
}

HKL WINAPI Activate(HKL layout, UINT flags) {
  EXPECT_EQ(static_cast<UINT>(KLF_SETFORPROCESS), flags);
  Activated.push_back(layout);
  return layout;
}

HKL Layout(std::uintptr_t id) { return reinterpret_cast<HKL>(id); }

class TryItLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    Layouts = {GetKeyboardLayout(0), Layout(0xE0010409), Layout(0xE0020804), Layout(0xE0030804)};
    Descriptions.clear();
    Activated.clear();
    ImeLayoutHandle = nullptr;
    PageNumber = 8;
    Platform.GetKeyboardLayoutList = ListLayouts;
    Platform.ImmGetDescriptionA = Describe;
    Platform.ActivateKeyboardLayout = Activate;
  }
  void TearDown() override {
    Platform.GetKeyboardLayoutList = ::GetKeyboardLayoutList;
    Platform.ImmGetDescriptionA = ::ImmGetDescriptionA;
    Platform.ActivateKeyboardLayout = ::ActivateKeyboardLayout;
    ImeLayoutHandle = nullptr;
  }
};

TEST_F(TryItLayout, TheThirdLayoutIsFoundKeptAndActivatedOnEveryPaint) {
  Descriptions[Layout(0xE0020804)] = Gbk(L"智能岚舟输入平台  7.3");
  ActivateTryItLayout();
  EXPECT_EQ(Layout(0xE0020804), ImeLayoutHandle);
  Descriptions.clear();  // kept: no second search is needed
  ActivateTryItLayout();
  EXPECT_EQ((std::vector<HKL>{Layout(0xE0020804), Layout(0xE0020804)}), Activated);
}

TEST_F(TryItLayout, OnlyTheFirst16BytesCountAndTheFirstMatchWins) {
  Descriptions[Layout(0xE0010409)] = Gbk(L"智能岚舟输入平") + "x";
  Descriptions[Layout(0xE0020804)] = Gbk(L"智能岚舟输入平台 another");
  Descriptions[Layout(0xE0030804)] = Gbk(L"智能岚舟输入平台");
  ActivateTryItLayout();
  EXPECT_EQ(Layout(0xE0020804), ImeLayoutHandle);
}

TEST_F(TryItLayout, AnActiveImeOrABig5DescriptionOrAnEarlyPageActivatesNothing) {
  Descriptions[GetKeyboardLayout(0)] = Gbk(L"智能岚舟输入平台  7.3");
  Descriptions[Layout(0xE0020804)] = Gbk(L"智能岚舟输入平台  7.3");
  ActivateTryItLayout();
  EXPECT_TRUE(Activated.empty());
  EXPECT_EQ(nullptr, ImeLayoutHandle);

  Descriptions.clear();
  Descriptions[Layout(0xE0020804)] = Big5(L"智能嵐舟輸入平台  7.3");
  ActivateTryItLayout();
  EXPECT_TRUE(Activated.empty());

  // Under Big5 the handle of the installation is what activates the IME.
  ImeLayoutHandle = Layout(0xE0030804);
  PageNumber = 6;
  ActivateTryItLayout();
  EXPECT_TRUE(Activated.empty());
  PageNumber = 9;
  ActivateTryItLayout();
  EXPECT_EQ(std::vector<HKL>{Layout(0xE0030804)}, Activated);
}

// What Wine itself does: every description is "Wine XIM", so nothing is
// found, and the IME layout that the installation got is refused. The
// installer goes on with the layout it had.
TEST_F(TryItLayout, WinesRefusalLeavesTheActiveLayoutAsItWas) {
  TearDown();
  const HKL before = GetKeyboardLayout(0);
  ActivateTryItLayout();
  EXPECT_EQ(nullptr, ImeLayoutHandle);
  ImeLayoutHandle = ImmInstallIMEW(L"lanzhu4.ime", L"智能岚舟输入平台  7.3");
  ASSERT_NE(nullptr, ImeLayoutHandle);
  ActivateTryItLayout();
  EXPECT_EQ(before, GetKeyboardLayout(0));
}

}  // namespace
