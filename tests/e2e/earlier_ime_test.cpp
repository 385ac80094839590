#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer_run.h"
#include "payload_entries.h"
#include "wizard_tour.h"
#include "test_support.h"

namespace {

const wchar_t kEarlierLayout[] =
    L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\E0200804";

std::wstring PreloadPlace(int place) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Keyboard Layout\\Preload", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return L"(no list)";
  }
  wchar_t id[32] = {};
  DWORD size = sizeof id - sizeof(wchar_t);
  const std::wstring name = std::to_wstring(place);
  const bool found =
      RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(id), &size) ==
      ERROR_SUCCESS;
  RegCloseKey(key);
  return found ? id : L"(none)";
}

// An earlier version of the IME, registered as a keyboard layout and loaded
// into the user's list of input languages, on Windows XP (run there alone).
class EarlierIme : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTextW(HKEY_LOCAL_MACHINE, kEarlierLayout, L"layout text", L"智能岚舟输入平台  6.3");
  }
  static void LoadInto(const wchar_t* const (&ids)[5]) {
    for (int place = 1; place <= 5; ++place) {
      WriteTextW(HKEY_CURRENT_USER, L"Keyboard Layout\\Preload", std::to_wstring(place).c_str(),
               ids[place - 1]);
    }
  }
};

const wchar_t kInUseText[] =
    L"\u3000\u3000你以前安装的岚舟五笔正在使用，请关闭使用岚舟五笔的所有窗口，"
    L"或者重新启动机器后，才能安装新版本的岚舟五笔！";

// Listed second, its module held by a program that uses the IME: neither
// deletable nor renamable. Silently or through the wizard, the installation
// ends with that message alone (no copy failures, no skin, no report, no
// claim that it is finished) and installs nothing; silent mode says 1603.
TEST_F(EarlierIme, InUseEndsTheInstallationWithItsMessageAlone) {
  LoadInto({L"00000804", L"e0200804", L"00000409", L"00000411", L"00000412"});
  const std::string module = SystemDir() + "\\lanzhu4.ime";
  ASSERT_TRUE(WriteBytes(module, "earlier module"));
  HANDLE held =
      CreateFileA(module.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  {
    InstallerRun run(L"setlzsrf32 loglz32=c:\\lz.log");
    ExpectMessageAndAnswer(run, L"智能岚舟安装", kInUseText);
    EXPECT_EQ(1603u, run.WaitForExit());
  }
  EXPECT_NE(std::string::npos, Bytes("c:\\lz.log").find("cannot be moved aside: nothing installed"));
  InstallerRun wizard;
  TourObserver answerEach;
  const TourRecord record = InstallThroughWizard(wizard.launched(), TourChoices(), answerEach);
  EXPECT_EQ("", record.failure);
  EXPECT_EQ(std::vector<std::wstring>{kInUseText}, record.messages);
  EXPECT_EQ(L"", record.skinDialogCaption);
  EXPECT_EQ(0u, record.exitCode);
  CloseHandle(held);

  EXPECT_EQ("earlier module", Bytes(module));
  EXPECT_FALSE(FileExists("c:\\lanzhu2\\lanzhu4.ime"));
  EXPECT_FALSE(FileExists("c:\\lanzhu2\\lzszsj43.lzh"));
  HKEY uninstall;
  EXPECT_NE(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb", 0,
                          KEY_READ, &uninstall));
}

TEST_F(EarlierIme, AtPlaceFourMovesUpToPlaceTwo) {
  LoadInto({L"00000804", L"00000409", L"00000411", L"e0200804", L"00000412"});
  EXPECT_EQ(Outcome::kEndsAlone, RunWith(L"setlzsrf32"));
  EXPECT_EQ(L"e0200804", PreloadPlace(2));
  EXPECT_EQ(L"00000409", PreloadPlace(3));
  EXPECT_EQ(L"00000411", PreloadPlace(4));
  EXPECT_EQ(L"00000412", PreloadPlace(5));
}

}  // namespace

namespace {

// A program holds the earlier module loaded: it is moved aside, and the
// wizard ends asking for the restart that lets it go.
TEST(RestartWizard, AModuleMovedAsideEndsWithTheRestartMessage) {
  const std::string module = SystemDir() + "\\lanzhu4.ime";
  ASSERT_TRUE(WriteBytes(module, Payload().at("lanzhu4.ime")));
  ASSERT_NE(nullptr, LoadLibraryA(module.c_str()));
  InstallerRun run;
  TourObserver answerEach;
  const TourRecord record = InstallThroughWizard(run.launched(), TourChoices(), answerEach);
  EXPECT_EQ("", record.failure);
  EXPECT_EQ(std::vector<std::wstring>{L"安装完毕，请立即重新启动计算机！"}, record.messages);
}

}  // namespace
