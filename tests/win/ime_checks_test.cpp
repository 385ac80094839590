#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ime_registry.h"
#include "ime_user.h"
#include "shell/payload_memory.h"
#include "system/ime_checks.h"
#include "system/preload_list.h"
#include "system/seams.h"
#include "test_support.h"

namespace {

const std::wstring kCaption = L"智能岚舟安装";
const std::wstring kM1 =
    L"\u3000\u3000你以前安装的智能岚舟为系统默认输入法，并且是系统安装的唯一输入法，"
    L"请通过微软的输入法管理器增加英文输入法，并将智能岚舟输入法设置为系统非默认输入法后，"
    L"重新启动机器才能安装新版本的智能岚舟！";
const std::wstring kM2 =
    L"\u3000\u3000你以前安装的智能岚舟为系统默认输入法，请设置为系统非默认输入法后，"
    L"重新启动机器才能安装新版本的智能岚舟！";
const std::wstring kM3 = L"是否设置智能岚舟为系统非默认输入法？";
const std::wstring kM4 = L"请重新启动机器后安装智能岚舟！";
const std::wstring kM5 =
    L"\u3000\u3000你以前安装的岚舟五笔为系统默认输入法，请通过微软的输入法管理器将岚舟五笔"
    L"输入法设置为系统非默认输入法后，重新启动机器才能安装新版本的岚舟五笔！";

struct WideBox {
  std::wstring text;
  std::wstring caption;
  UINT type;
};
std::vector<WideBox> WideBoxes;
int AnswerToQuestions = IDNO;

int WINAPI RecordWide(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  EXPECT_EQ(nullptr, owner);
  WideBoxes.push_back({text, caption, type});
  return type == MB_YESNO ? AnswerToQuestions : IDOK;
}

// Describes the installer thread's own layout as this IME, every other one
// as Wine does.
UINT WINAPI DescribeThreadLayoutAsThisIme(HKL layout, LPSTR description, UINT size) {
  static const std::string thisIme = Narrow(L"智能岚舟输入平台  7.3", 936);
  lstrcpynA(description, layout == GetKeyboardLayout(0) ? thisIme.c_str() : "Wine XIM",
            static_cast<int>(size));
  return static_cast<UINT>(lstrlenA(description));
}

class DefaultIme : public ImeRegistry {
 protected:
  void SetUp() override {
    ImeRegistry::SetUp();
    WideBoxes.clear();
    AnswerToQuestions = IDNO;
    Platform.MessageBoxW = RecordWide;
    // Only the GBK name marks the IME in the list that the check reads, and
    // 64-bit Windows reads none.
    finds_ = !CurrentConfig().windows64 && CurrentConfig().oemCodePage == 936;
  }
  void TearDown() override {
    Platform.MessageBoxW = ::MessageBoxW;
    Platform.ImmGetDescriptionA = ::ImmGetDescriptionA;
    ImeRegistry::TearDown();
  }
  void List(const std::vector<std::string>& ids) {
    AddLayout("E0200804", L"智能岚舟输入平台  6.3");
    SetPreload(HKEY_CURRENT_USER, kUserLayout, Listed(ids));
    SetPreload(HKEY_USERS, kDefaultUserLayout, Listed(ids));
  }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> texts;
    for (const WideBox& box : WideBoxes) {
      EXPECT_EQ(kCaption, box.caption);
      texts.push_back(box.text);
    }
    return texts;
  }
  bool finds_ = false;
};

TEST_F(DefaultIme, TheOnlyInputLanguageStopsWithItsMessage) {
  List({"E0200804"});
  if (!finds_) {
    EXPECT_EQ(1, CheckDefaultIme());
    EXPECT_TRUE(WideBoxes.empty());
    return;
  }
  EXPECT_EQ(0, CheckDefaultIme());
  EXPECT_EQ(std::vector<std::wstring>{kM1}, Texts());
  EXPECT_EQ(static_cast<UINT>(MB_OK), WideBoxes[0].type);
  EXPECT_EQ(Listed({"E0200804"}), Preload(HKEY_CURRENT_USER, kUserLayout));
}

TEST_F(DefaultIme, WithOtherLanguagesAsksAndOnYesSwapsTheFirstTwoPlaces) {
  const std::vector<std::string> ids = {"E0200804", "00000409", "00000804"};
  const std::vector<std::string> swapped = {"00000409", "E0200804", "00000804"};
  for (const int answer : {IDNO, IDYES}) {
    List(ids);
    WideBoxes.clear();
    AnswerToQuestions = answer;
    if (!finds_) {
      EXPECT_EQ(1, CheckDefaultIme());
      EXPECT_TRUE(WideBoxes.empty());
      continue;
    }
    EXPECT_EQ(0, CheckDefaultIme());
    if (answer == IDNO) {
      EXPECT_EQ((std::vector<std::wstring>{kM2, kM3}), Texts());
      EXPECT_EQ(Listed(ids), Preload(HKEY_CURRENT_USER, kUserLayout));
      EXPECT_EQ(Listed(ids), Preload(HKEY_USERS, kDefaultUserLayout));
    } else {
      EXPECT_EQ((std::vector<std::wstring>{kM2, kM3, kM4}), Texts());
      EXPECT_EQ(Listed(swapped), Preload(HKEY_CURRENT_USER, kUserLayout));
      EXPECT_EQ(Listed(swapped), Preload(HKEY_USERS, kDefaultUserLayout));
    }
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), WideBoxes[1].type);
  }
}

TEST_F(DefaultIme, AnImeAfterPlace1LetsTheInstallationGoOn) {
  List({"00000409", "E0200804"});
  EXPECT_EQ(1, CheckDefaultIme());
  EXPECT_TRUE(WideBoxes.empty());
  EXPECT_EQ(Listed({"00000409", "E0200804"}), Preload(HKEY_CURRENT_USER, kUserLayout));
}

TEST_F(DefaultIme, TheImeActiveInTheInstallersThreadStopsWithItsMessage) {
  List({"00000409", "00000804"});
  // Wine describes every layout as "Wine XIM": the real call lets it pass.
  EXPECT_EQ(1, CheckDefaultIme());
  EXPECT_TRUE(WideBoxes.empty());
  Platform.ImmGetDescriptionA = DescribeThreadLayoutAsThisIme;
  EXPECT_EQ(0, CheckDefaultIme());
  EXPECT_EQ(std::vector<std::wstring>{kM5}, Texts());
}

class ProgramsUsingIme : public ::testing::Test {
 protected:
  void SetUp() override { AcquirePayloadMemory(); }
  void TearDown() override { ReleasePayloadMemory(); }
};

const std::wstring kClosing =
    L"\r\n\r\n请关闭使上述软件后再继续安装！\r\n如无法关闭，则请重新启动机器后立即安装！";

std::wstring Head(int count) {
  return L"智能岚舟安软件装检测到有下列 " + std::to_wstring(count) +
         L" 个软件在使用智能岚舟输入法:\r\n\r\n";
}

TEST_F(ProgramsUsingIme, ListsTheProgramAtTheEndOfEachOwnerChainNumberedByTheCount) {
  EXPECT_EQ(0, ListProgramsUsingIme());
  {
    ImeUser user({L"记事本 - 笔记.txt", L"-"});
    ASSERT_TRUE(user.ready());
    EXPECT_EQ(2, ListProgramsUsingIme());
    EXPECT_EQ(Head(2) + L"\u3000\u30001：记事本 - 笔记.txt\r\n" + kClosing, ProgramListMessage());
    EXPECT_EQ(reinterpret_cast<wchar_t*>(WorkBuffer), ProgramListMessage());
  }
  {
    ImeUser user({L"-", L"记事本 - 笔记.txt"});
    ASSERT_TRUE(user.ready());
    EXPECT_EQ(2, ListProgramsUsingIme());
    EXPECT_EQ(Head(2) + L"\u3000\u30002：记事本 - 笔记.txt\r\n" + kClosing, ProgramListMessage());
  }
  // Each call starts afresh.
  EXPECT_EQ(0, ListProgramsUsingIme());
}

TEST_F(ProgramsUsingIme, TitlesAreCutAt199Characters) {
  const std::wstring title(250, L'长');
  ImeUser user({title, L"Word"});
  ASSERT_TRUE(user.ready());
  EXPECT_EQ(2, ListProgramsUsingIme());
  EXPECT_EQ(Head(2) + L"\u3000\u30001：" + title.substr(0, 199) + L"\r\n\u3000\u30002：Word\r\n" +
                kClosing,
            ProgramListMessage());
}

TEST_F(ProgramsUsingIme, WithoutAWorkBufferListsWhatFitsInItsOwnText) {
  ReleasePayloadMemory();
  std::vector<std::wstring> windows;
  for (int i = 0; i < 30; ++i) windows.push_back(std::to_wstring(i) + std::wstring(190, L'题'));
  ImeUser user(windows);
  ASSERT_TRUE(user.ready());
  EXPECT_EQ(30, ListProgramsUsingIme());
  const std::wstring message = ProgramListMessage();
  EXPECT_LT(message.size(), 1024u);
  EXPECT_EQ(0u, message.find(Head(30) + L"\u3000\u30001：0" + std::wstring(190, L'题') + L"\r\n"));
  EXPECT_EQ(message.size() - kClosing.size(), message.rfind(kClosing));
  EXPECT_NE(std::wstring::npos, message.find(L"\u3000\u30004："));
  EXPECT_EQ(std::wstring::npos, message.find(L"\u3000\u30005："));
}

}  // namespace
