// The uninstaller takes back what installations wrote: one prefix, one run
// of the scenario table from top to bottom, the prefix compared after each
// row with the template's state before the first installation.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "installer_run.h"
#include "payload_entries.h"
#include "prefix_state.h"
#include "test_support.h"
#include "uninstall_run.h"
#include "wizard_tour.h"

namespace {

const std::string kInstallDir = "c:\\lanzhu2\\";
const wchar_t kLayouts[] = L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\";
// Another IME, registered and listed before this one is installed.
const wchar_t kOtherIme[] = L"e0300804";
const wchar_t kKeepQuestion[] = L"检测到安装目录下有智能岚舟以前的词组等数据文件，是否保留？";
const wchar_t kUninstallQuestion[] = L"确定要卸载智能岚舟输入平台吗？";
const wchar_t kDataQuestion[] = L"是否同时删除你的词组等数据文件？";
// The user's data: what the backup of either edition saves, with the pairs'
// working files.
const char* const kUserDataFiles[] = {
    "lanzcyzk.lz1", "lanzcyzk.lzh", "lanzpyck.lz1", "lanzpyck.lzh", "lfontset.lz1", "lfontset.lzh",
    "lwbzlcz1.lz1", "lwbzlcz1.lzh", "lzwbcmxz.lz1", "lzwbcmxz.lzh", "lzdhzcm.lz1",  "lzdhzcm.lzh",
    "lanzdhz.lz1",  "lanzdhz.lzh",  "lzgbkhz.lz1",  "lzgbkhz.lzh",  "lzszsj43.lzh", "lanzdwdw.txt",
    "lanzzdym.lzh", "lzpyzdym.lzh", "lzwbpy.txt",   "lanzynhz.txt", "lanzzdfh.lzh", "userck.txt",
    "delck.txt",    "ftlzzdym.txt", "ftpylzym.txt", "lwb.ov1",      "lanzpymb.ov1", "lzgbkbh.lzh",
    "lzszsj05.lzh", "lzszsj06.lzh"};

enum class Install { kNone, kSilent, kWizard };
enum class Start {
  kSystemCopy,     // "<system directory>\lanzdel.exe dellzsrf32"
  kInstalledCopy,  // "c:\lanzhu2\lanzdel.exe dellzsrf32", 32-bit on any Windows
  kFromList,       // Wine's "uninstaller --remove lanzqwb"
  kBuildCopy,      // the build's lanzdel.exe, without a keyword
};
enum class Left { kUserData, kNothing, kAsBefore, kOtherDirAsBefore, kUninstallEntry };

struct Row {
  const char* what;
  bool everywhere;  // else on xp32 and win7-64, one Windows of each bitness
  Install install;
  bool moduleInUse;
  Start start;
  int dataAnswer;
  DWORD exitCode;
  std::vector<std::wstring> messages;
  Left left;  // against the template's state, once Windows has restarted
};

const Row kRows[] = {
    {"silent, from the system directory", true, Install::kSilent, false, Start::kSystemCopy, 0, 0,
     {}, Left::kUserData},
    {"the same again", true, Install::kNone, false, Start::kSystemCopy, 0, 0, {}, Left::kAsBefore},
    {"module in use, from the installation directory", true, Install::kSilent, true,
     Start::kInstalledCopy, 0, 3010, {}, Left::kUserData},
    {"from the list of programs, removing the data", false, Install::kWizard, false,
     Start::kFromList, IDYES, 0,
     {kUninstallQuestion, kDataQuestion, L"智能岚舟输入平台已卸载。"}, Left::kNothing},
    {"nothing installed", true, Install::kNone, false, Start::kBuildCopy, 0, 0,
     {L"没有找到已安装的智能岚舟输入平台。"}, Left::kAsBefore},
    {"a record naming another directory", true, Install::kSilent, false, Start::kSystemCopy, 0, 0,
     {}, Left::kOtherDirAsBefore},
    {"a record that cannot be removed", true, Install::kSilent, false, Start::kBuildCopy, IDNO, 1603,
     {kUninstallQuestion, kDataQuestion, L"智能岚舟输入平台没有完全卸载，请重新启动计算机后再次卸载！"},
     Left::kUninstallEntry},
};

// A directory of the user's own, named by a corrupted record, with files of
// the installation's names.
const char kOtherDir[] = "c:\\other\\";
void PointRecordsElsewhere() {
  CreateDirectoryA(kOtherDir, nullptr);
  for (const char* name : {"lzsr1.bmp", "lanzhu4.ime", "userck.txt", "wbpybz.lzh"}) {
    ASSERT_TRUE(WriteBytes(kOtherDir + std::string(name), "the user's own"));
  }
  ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", kOtherDir));
}

// The directory's lines, "dir C:\\other" and its files.
PrefixState Under(const PrefixState& state) {
  PrefixState inside;
  for (const std::string& line : state) {
    if (line.find(" C:\\other") != std::string::npos) inside.insert(line);
  }
  return inside;
}

void SetText(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text) {
  HKEY opened;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                           &opened, nullptr));
  RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(2 * (text.size() + 1)));
  RegCloseKey(opened);
}

// The preload lists of the current user and the default user, written whole.
void ListLayouts(const std::vector<std::wstring>& user, const std::vector<std::wstring>& byDefault) {
  const std::pair<HKEY, const wchar_t*> lists[] = {{HKEY_CURRENT_USER, L"Keyboard Layout\\Preload"},
                                                   {HKEY_USERS, L".DEFAULT\\Keyboard Layout\\Preload"}};
  for (const auto& [root, key] : lists) {
    RegDeleteKeyW(root, key);
    const std::vector<std::wstring>& ids = root == HKEY_CURRENT_USER ? user : byDefault;
    for (std::size_t place = 0; place < ids.size(); ++place) {
      SetText(root, key, std::to_wstring(place + 1), ids[place]);
    }
  }
}

// Windows lists an IME when it is registered; Wine does not, so the layouts
// of this IME go into both lists as Windows would put them: before the other
// IME in the user's list, first in the default user's.
void ListThisIme(const std::wstring& first) {
  std::vector<std::wstring> ours;
  for (const std::wstring& key : KeyboardLayoutKeys()) {
    std::wstring file = ReadTextW(HKEY_LOCAL_MACHINE, key.c_str(), L"Ime File");
    std::transform(file.begin(), file.end(), file.begin(), towlower);
    if (file.find(L"lanzhu4.ime") != std::wstring::npos) ours.push_back(key.substr(key.rfind(L'\\') + 1));
  }
  ASSERT_FALSE(ours.empty());
  std::vector<std::wstring> user = {first};
  user.insert(user.end(), ours.begin(), ours.end());
  user.insert(user.end(), {kOtherIme, L"00000409"});
  std::vector<std::wstring> byDefault = ours;
  byDefault.insert(byDefault.end(), {first, kOtherIme, L"00000409"});
  ListLayouts(user, byDefault);
}

void InstallSilently() {
  InstallerRun run(L"setlzsrf32");
  ASSERT_TRUE(run.started());
  std::vector<std::wstring> answered;
  EXPECT_EQ(0u, WaitAnsweringMessageBoxes(run.launched(), L"智能岚舟", 120000, &answered));
  // setupw64.exe, started last, may say it has registered the IME after the
  // installer has ended.
  if (CurrentConfig().windows64 && answered.empty()) {
    HWND box = WaitForMessageBoxTitled(L"智能岚舟", 60000);
    ASSERT_NE(nullptr, box);
    AnswerMessageBox(box, IDOK);
  }
}

// Answers the question about keeping the earlier data No, every other box OK.
class FreshData : public TourObserver {
 public:
  int MessageBox(HWND box, HWND) override {
    return MessageBoxText(box) == kKeepQuestion ? IDNO : IDOK;
  }
};

// Through the wizard, which also unpacks a skin.
void InstallThroughTheWizard() {
  InstallerRun run;
  ASSERT_TRUE(run.started());
  FreshData fresh;
  const TourRecord record = InstallThroughWizard(run.launched(), TourChoices(), fresh);
  EXPECT_EQ("", record.failure);
  // An uninstallation that kept the user's data leaves them to be kept again.
  EXPECT_EQ(kKeepQuestion, record.messages.empty() ? L"" : record.messages.front());
}

UninstallRecord Uninstall(Start start) {
  const std::wstring system = CurrentConfig().windows64 ? FromUtf8(WindowsDir()) + L"\\sysnative"
                                                        : FromUtf8(SystemDir());
  switch (start) {
    case Start::kSystemCopy:
      return RunUninstaller(system + L"\\lanzdel.exe", L"dellzsrf32", IDNO);
    case Start::kInstalledCopy:
      return RunUninstaller(FromUtf8(kInstallDir) + L"lanzdel.exe",
                            L"DelLzsrf32 loglz32=c:\\windows\\temp\\lanzdel.log", IDNO);
    case Start::kFromList:
      EXPECT_NE(std::wstring::npos, ListedPrograms().find(L"lanzqwb|||岚舟拼音"));
      return RunUninstaller(WineUninstaller(), L"--remove lanzqwb", IDYES);
    case Start::kBuildCopy:
      return RunUninstaller(BuildProgram("LANZ_UNINSTALLER_EXE"), L"", IDNO);
  }
  return {};
}

PrefixState WithUserData(PrefixState state) {
  state.insert("dir C:\\lanzhu2");
  for (const char* name : kUserDataFiles) {
    state.insert("file C:\\lanzhu2\\" + std::string(name) + " " +
                 std::to_string(Payload().at(name).size()));
  }
  return state;
}

TEST(Uninstall, TakesBackWhatInstallationsWrote) {
  SetText(HKEY_LOCAL_MACHINE, kLayouts + std::wstring(kOtherIme), L"Ime File", L"otherime.ime");
  SetText(HKEY_LOCAL_MACHINE, kLayouts + std::wstring(kOtherIme), L"Layout Text", L"其他输入法");
  // Wine puts its default layout of the locale in place 1 at every start.
  const std::wstring first = ReadTextW(HKEY_CURRENT_USER, L"Keyboard Layout\\Preload", L"1");
  ListLayouts({first, kOtherIme, L"00000409"}, {first, kOtherIme, L"00000409"});
  const PrefixState templateState = CapturePrefixState();
  const std::string module = (CurrentConfig().windows64 ? WindowsDir() + "\\syswow64"
                                                         : SystemDir()) + "\\lanzhu4.ime";
  const bool eachBitness = CurrentConfig().name == "xp32" || CurrentConfig().name == "win7-64";

  for (const Row& row : kRows) {
    if (!row.everywhere && !eachBitness) continue;
    SCOPED_TRACE(row.what);
    if (row.install == Install::kSilent) InstallSilently();
    if (row.install == Install::kWizard) InstallThroughTheWizard();
    if (row.install != Install::kNone) ListThisIme(first);
    if (row.left == Left::kOtherDirAsBefore) PointRecordsElsewhere();
    // A program holds the path file, and a policy forbids marking files for
    // deletion at the next start.
    HANDLE pathFile = INVALID_HANDLE_VALUE;
    if (row.left == Left::kUninstallEntry) {
      pathFile = CreateFileA((WindowsDir() + "\\lanzpath.lzh").c_str(), GENERIC_READ, FILE_SHARE_READ,
                           nullptr, OPEN_EXISTING, 0, nullptr);
      EXPECT_NE(INVALID_HANDLE_VALUE, pathFile);
      AllowOnly(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                "D:(A;;KR;;;WD)");
    }
    HMODULE held = row.moduleInUse ? LoadLibraryA(module.c_str()) : nullptr;
    EXPECT_EQ(row.moduleInUse, held != nullptr);
    const PrefixState before = CapturePrefixState();

    const UninstallRecord record = Uninstall(row.start);
    // Wine's uninstaller does not pass on the exit code of what it ran.
    if (row.start != Start::kFromList) {
      EXPECT_EQ(row.exitCode, record.exitCode);
    }
    EXPECT_EQ(row.messages, record.messages);
    if (held != nullptr) {
      // Moved aside, so that a new installation finds the name free, and
      // deleted by Windows at its next start.
      const std::string aside = module.substr(0, module.size() - 5) + "2.ime";
      EXPECT_FALSE(FileExists(module));
      EXPECT_TRUE(FileExists(aside));
      const std::vector<std::string> pending = PendingDeletions();
      EXPECT_NE(pending.end(), std::find_if(pending.begin(), pending.end(), [&](const std::string& path) {
                  return _stricmp(path.c_str(), aside.c_str()) == 0;
                }));
      std::string log;
      EXPECT_TRUE(ReadBytes("c:\\windows\\temp\\lanzdel.log", &log));
      EXPECT_NE(std::string::npos, log.find("result: exit code 3010"));
      RemoveFile("c:\\windows\\temp\\lanzdel.log");
      FreeLibrary(held);
    }
    const PrefixState after = CapturePrefixState();
    switch (row.left) {
      case Left::kAsBefore:
        EXPECT_EQ(std::vector<std::string>{}, Changes(before, after));
        break;
      case Left::kUserData:
        EXPECT_EQ(std::vector<std::string>{}, Changes(WithUserData(templateState), AfterRestart(after)));
        break;
      case Left::kNothing:
        EXPECT_EQ(std::vector<std::string>{}, Changes(templateState, AfterRestart(after)));
        break;
      case Left::kOtherDirAsBefore:
        EXPECT_EQ(5u, Under(before).size());
        EXPECT_EQ(std::vector<std::string>{}, Changes(Under(before), Under(after)));
        break;
      case Left::kUninstallEntry:
        CloseHandle(pathFile);
        // Kept, so that the uninstallation can be run again.
        EXPECT_EQ(L"岚舟五笔", ReadTextW(HKEY_LOCAL_MACHINE,
                                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb",
                                          L"DisplayName"));
        break;
    }
  }
}

}  // namespace
