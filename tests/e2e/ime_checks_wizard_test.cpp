#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ime_user.h"
#include "installer_run.h"
#include "payload_entries.h"
#include "test_support.h"
#include "wizard_tour.h"

namespace {

const wchar_t kCompleted[] = L"安装完毕，如不能使用，请重新启动计算机！";
const wchar_t kM1[] =
    L"\u3000\u3000你以前安装的智能岚舟为系统默认输入法，并且是系统安装的唯一输入法，"
    L"请通过微软的输入法管理器增加英文输入法，并将智能岚舟输入法设置为系统非默认输入法后，"
    L"重新启动机器才能安装新版本的智能岚舟！";
const wchar_t kM2[] =
    L"\u3000\u3000你以前安装的智能岚舟为系统默认输入法，请设置为系统非默认输入法后，"
    L"重新启动机器才能安装新版本的智能岚舟！";
const wchar_t kM3[] = L"是否设置智能岚舟为系统非默认输入法？";
const wchar_t kM4[] = L"请重新启动机器后安装智能岚舟！";

void SetText(HKEY root, const std::wstring& keyName, const std::wstring& name,
             const std::wstring& text) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr));
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(2 * (text.size() + 1)));
  RegCloseKey(key);
}

std::wstring Place(HKEY root, int place) {
  return ReadTextW(root,
                   root == HKEY_USERS ? L".DEFAULT\\Keyboard Layout\\Preload"
                                      : L"Keyboard Layout\\Preload",
                   std::to_wstring(place).c_str());
}

// Wine puts its own layout at place 1 of the user's list whenever a program
// starts: the earlier IME is registered under that id, so that it stays the
// default input language when the installer starts.
std::wstring EarlierImeId() {
  static const std::wstring id = Place(HKEY_CURRENT_USER, 1);
  return id;
}

// An earlier version of the IME, registered, and the user's and the default
// user's lists of input languages ("IME" standing for its id).
void ListEarlierIme(std::vector<std::wstring> ids) {
  SetText(HKEY_LOCAL_MACHINE,
          L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\" + EarlierImeId(),
          L"layout text", L"智能岚舟输入平台  6.3");
  for (std::wstring& id : ids) {
    if (id == L"IME") id = EarlierImeId();
  }
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_USERS}) {
    const std::wstring list = root == HKEY_USERS ? L".DEFAULT\\Keyboard Layout\\Preload"
                                                 : L"Keyboard Layout\\Preload";
    RegDeleteKeyW(root, list.c_str());
    for (std::size_t place = 1; place <= ids.size(); ++place) {
      SetText(root, list, std::to_wstring(place), ids[place - 1]);
    }
  }
}

class Answering : public TourObserver {
 public:
  explicit Answering(int answer) : answer_(answer) {}
  int MessageBox(HWND box, HWND) override {
    return MessageBoxText(box) == kM3 ? answer_ : IDOK;
  }

 private:
  int answer_;
};

TourRecord InstallAnswering(int answer) {
  ClearInstallDirRecords();
  InstallerRun run;
  EXPECT_TRUE(run.started());
  Answering observer(answer);
  return InstallThroughWizard(run.launched(), TourChoices(), observer);
}

void ExpectNothingInstalled(const TourRecord& record) {
  EXPECT_EQ("", record.failure);
  EXPECT_EQ(0u, record.exitCode);
  EXPECT_FALSE(FileExists("c:\\lanzhu2\\lanzhu4.ime"));
  EXPECT_FALSE(FileExists(SystemDir() + "\\lanzdel.exe"));
}

TEST(DefaultImeWizard, AloneInTheListItStopsWithItsMessage) {
  ListEarlierIme({L"IME"});
  const TourRecord record = InstallAnswering(IDOK);
  ExpectNothingInstalled(record);
  EXPECT_EQ(std::vector<std::wstring>{kM1}, record.messages);
  EXPECT_EQ(EarlierImeId(), Place(HKEY_CURRENT_USER, 1));
}

TEST(DefaultImeWizard, WithOthersNoLeavesTheListAndYesSwapsItsFirstTwoPlaces) {
  ListEarlierIme({L"IME", L"00000409", L"00000804"});
  TourRecord record = InstallAnswering(IDNO);
  ExpectNothingInstalled(record);
  EXPECT_EQ((std::vector<std::wstring>{kM2, kM3}), record.messages);
  EXPECT_EQ(EarlierImeId(), Place(HKEY_CURRENT_USER, 1));
  EXPECT_EQ(L"00000409", Place(HKEY_CURRENT_USER, 2));

  record = InstallAnswering(IDYES);
  ExpectNothingInstalled(record);
  EXPECT_EQ((std::vector<std::wstring>{kM2, kM3, kM4}), record.messages);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_USERS}) {
    EXPECT_EQ(L"00000409", Place(root, 1));
    EXPECT_EQ(EarlierImeId(), Place(root, 2));
    EXPECT_EQ(L"00000804", Place(root, 3));
  }
}

// 64-bit Windows tests only the installer thread's active layout, which Wine
// never describes as this IME: the list does not stop the installation.
TEST(DefaultImeOn64BitWizard, TheListIsNotReadAndTheInstallationGoesOn) {
  ListEarlierIme({L"IME"});
  const TourRecord record = InstallAnswering(IDOK);
  EXPECT_EQ("", record.failure);
  EXPECT_EQ(std::vector<std::wstring>{kCompleted}, record.messages);
}

// While the list of programs is shown, the user closes them; the directory
// page stays, and a second click runs the checks again and installs.
class ClosesTheProgramsAndTriesAgain : public TourObserver {
 public:
  explicit ClosesTheProgramsAndTriesAgain(ImeUser* user) : user_(user) {}
  ~ClosesTheProgramsAndTriesAgain() override {
    if (again_.joinable()) again_.join();
  }
  int MessageBox(HWND box, HWND wizard) override {
    if (user_ == nullptr) return IDOK;
    delete user_;
    user_ = nullptr;
    // Clicks while the box is open are ignored: click once it has gone.
    again_ = std::thread([box, wizard] {
      for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < 10000;) Sleep(20);
      Sleep(300);
      ClickAt(wizard, kConfirmX, kConfirmY);
    });
    return IDOK;
  }

 private:
  ImeUser* user_;
  std::thread again_;
};

TEST(ProgramsUsingImeWizard, AreListedAndASecondClickChecksAgain) {
  ClearInstallDirRecords();
  auto* user = new ImeUser({L"记事本 - 笔记.txt", L"-"});
  ASSERT_TRUE(user->ready());
  InstallerRun run;
  ASSERT_TRUE(run.started());
  ClosesTheProgramsAndTriesAgain observer(user);
  const TourRecord record = InstallThroughWizard(run.launched(), TourChoices(), observer);
  EXPECT_EQ("", record.failure);
  ASSERT_EQ(2u, record.messages.size());
  EXPECT_EQ(L"智能岚舟安软件装检测到有下列 2 个软件在使用智能岚舟输入法:\r\n\r\n"
            L"\u3000\u30001：记事本 - 笔记.txt\r\n\r\n\r\n"
            L"请关闭使上述软件后再继续安装！\r\n如无法关闭，则请重新启动机器后立即安装！",
            record.messages[0]);
  EXPECT_EQ(kCompleted, record.messages[1]);
  EXPECT_TRUE(SameBytes(Payload().at("lanzhu4.ime"), Bytes("c:\\lanzhu2\\lanzhu4.ime")));
}

// A directory that shows more than the directory attribute (Wine shows one
// named with a leading dot as hidden) is reported, and the closing message
// is left out.
class IntoHiddenDirectory : public TourObserver {
 public:
  void Page(const std::string& name, HWND wizard) override {
    if (name != "6-directory") return;
    SendMessageW(EditLineAt(wizard, 120, 195), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"c:\\.lanzhu\\"));
  }
};

TEST(ReportWizard, NamesTheFirstFailingCheckInsteadOfTheClosingMessage) {
  ClearInstallDirRecords();
  InstallerRun run;
  ASSERT_TRUE(run.started());
  IntoHiddenDirectory observer;
  const TourRecord record = InstallThroughWizard(run.launched(), TourChoices(), observer);
  EXPECT_EQ("", record.failure);
  EXPECT_EQ(0u, record.exitCode);
  EXPECT_EQ(std::vector<std::wstring>{L"智能岚舟汉字输入系统7.3版安装情况报告。\r\n\r\n"
                                      L"安装出现错误！错误为：检测不到安装路径！\r\n\r\n"
                                      L"请到主页http://www.lanzhu.example/"
                                      L"重新下载安装！并解除杀毒软件对安装过程的拦截！\r\n\r\n"},
            record.messages);
  EXPECT_TRUE(FileExists("c:\\.lanzhu\\lanzhu4.ime"));
}

}  // namespace
