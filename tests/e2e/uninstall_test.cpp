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

// A directory of the user's own, with files of the installation's names,
// that a corrupted record names.
void PointRecordsElsewhere() {
  CreateDirectoryA("c:\\other", nullptr);
  for (const char* name : {"lzsr1.bmp", "lanzhu4.ime", "userck.txt", "wbpybz.lzh"}) {
    ASSERT_TRUE(WriteBytes("c:\\other\\" + std::string(name), "the user's own"));
  }
  ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", "c:\\other\\"));
}

// A program holds the path file, and a policy forbids marking files for
// deletion at the next start. The handle stays open to the end of the test.
void HoldTheRecordForever() {
  EXPECT_NE(INVALID_HANDLE_VALUE,
            CreateFileA((WindowsDir() + "\\lanzpath.lzh").c_str(), GENERIC_READ, FILE_SHARE_READ,
                        nullptr, OPEN_EXISTING, 0, nullptr));
  AllowOnly(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
            "D:(A;;KR;;;WD)");
}

enum class Install { kNone, kSilent, kWizard };
enum class Start {
  kSystemCopy,     // "<system directory>\lanzdel.exe dellzsrf32"
  kInstalledCopy,  // "c:\lanzhu2\lanzdel.exe", 32-bit on any Windows, with a log
  kFromList,       // Wine's "uninstaller --remove lanzqwb"
  kBuildCopy,      // the build's lanzdel.exe, without a keyword
};
// Against the template's state once Windows has restarted, or against the
// state before the row in the lines that hold `part`.
enum class Left { kUserData, kNothing, kPartAsBefore };

struct Row {
  const char* what;
  bool everywhere;  // else on xp32 and win7-64, one Windows of each bitness
  Install install;
  void (*prepare)();
  bool moduleInUse;
  Start start;
  DWORD exitCode;  // Wine's uninstaller does not pass on what it ran ends with
  std::vector<std::wstring> messages;
  Left left;
  const char* part;
};

const Row kRows[] = {
    {"silent, from the system directory", true, Install::kSilent, nullptr, false,
     Start::kSystemCopy, 0, {}, Left::kUserData, nullptr},
    {"again, with nothing installed", true, Install::kNone, nullptr, false, Start::kBuildCopy, 0,
     {L"没有找到已安装的智能岚舟输入平台。"}, Left::kPartAsBefore, ""},
    {"module in use, from the installation directory", true, Install::kSilent, nullptr, true,
     Start::kInstalledCopy, 3010, {}, Left::kUserData, nullptr},
    {"from the list of programs, removing the data", false, Install::kWizard, nullptr, false,
     Start::kFromList, 0, {kUninstallQuestion, kDataQuestion, L"智能岚舟输入平台已卸载。"},
     Left::kNothing, nullptr},
    {"a record naming another directory", true, Install::kSilent, PointRecordsElsewhere, false,
     Start::kSystemCopy, 0, {}, Left::kPartAsBefore, " C:\\other"},
    {"a record that can be neither removed nor marked", true, Install::kSilent,
     HoldTheRecordForever, false, Start::kBuildCopy, 1603,
     {kUninstallQuestion, kDataQuestion, L"智能岚舟输入平台没有完全卸载，请重新启动计算机后再次卸载！"},
     Left::kPartAsBefore, "\\Uninstall\\lanzqwb"},
};

// The preload lists of the current user and the default user, written whole.
void ListLayouts(const std::vector<std::wstring>& user,
                 const std::vector<std::wstring>& byDefault) {
  for (const HKEY root : {HKEY_CURRENT_USER, HKEY_USERS}) {
    const wchar_t* key = root == HKEY_USERS ? L".DEFAULT\\Keyboard Layout\\Preload"
                                            : L"Keyboard Layout\\Preload";
    RegDeleteKeyW(root, key);
    const std::vector<std::wstring>& ids = root == HKEY_USERS ? byDefault : user;
    for (std::size_t place = 0; place < ids.size(); ++place) {
      WriteTextW(root, key, std::to_wstring(place + 1).c_str(), ids[place]);
    }
  }
}

// Windows lists an IME when it is registered; Wine does not, so this IME's
// layouts go into both lists as Windows would put them: before the other IME
// in the user's list, first in the default user's.
void ListThisIme(const std::wstring& first) {
  std::vector<std::wstring> ours;
  for (const std::wstring& key : KeyboardLayoutKeys()) {
    std::wstring file = ReadTextW(HKEY_LOCAL_MACHINE, key.c_str(), L"Ime File");
    std::transform(file.begin(), file.end(), file.begin(), towlower);
    if (file.find(L"lanzhu4.ime") == std::wstring::npos) continue;
    ours.push_back(key.substr(key.rfind(L'\\') + 1));
  }
  ASSERT_FALSE(ours.empty());
  std::vector<std::wstring> user = {first};
  user.insert(user.end(), ours.begin(), ours.end());
  user.insert(user.end(), {kOtherIme, L"00000409"});
  ours.insert(ours.end(), {first, kOtherIme, L"00000409"});
  ListLayouts(user, ours);
}

// Answers the question about keeping the earlier data No, so that a skin is
// unpacked too; every other box OK.
class FreshData : public TourObserver {
 public:
  int MessageBox(HWND box, HWND) override {
    return MessageBoxText(box) == kKeepQuestion ? IDNO : IDOK;
  }
};

void InstallThroughTheWizard() {
  InstallerRun run;
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
      return RunUninstaller(L"c:\\lanzhu2\\lanzdel.exe",
                            L"DelLzsrf32 loglz32=c:\\windows\\temp\\lanzdel.log", IDNO);
    case Start::kFromList:
      EXPECT_NE(std::wstring::npos, ListedPrograms().find(L"lanzqwb|||岚舟拼音"));
      return RunUninstaller(WineUninstaller(), L"--remove lanzqwb", IDYES);
    case Start::kBuildCopy:
      return RunUninstaller(BuildProgram("LANZ_UNINSTALLER_EXE"), L"", IDNO);
  }
  return {};
}

PrefixState Part(const PrefixState& state, const std::string& part) {
  PrefixState lines;
  std::copy_if(state.begin(), state.end(), std::inserter(lines, lines.end()),
               [&](const std::string& line) { return line.find(part) != std::string::npos; });
  return lines;
}

TEST(Uninstall, TakesBackWhatInstallationsWrote) {
  const std::wstring layout =
      L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\" + std::wstring(kOtherIme);
  WriteTextW(HKEY_LOCAL_MACHINE, layout, L"Ime File", L"otherime.ime");
  WriteTextW(HKEY_LOCAL_MACHINE, layout, L"Layout Text", L"其他输入法");
  // Wine puts its default layout of the locale in place 1 at every start.
  const std::wstring first = ReadTextW(HKEY_CURRENT_USER, L"Keyboard Layout\\Preload", L"1");
  ListLayouts({first, kOtherIme, L"00000409"}, {first, kOtherIme, L"00000409"});
  const PrefixState templateState = CapturePrefixState();
  PrefixState withUserData = templateState;
  withUserData.insert("dir C:\\lanzhu2");
  for (const char* name : kUserDataFiles) {
    withUserData.insert("file C:\\lanzhu2\\" + std::string(name) + " " +
                        std::to_string(Payload().at(name).size()));
  }
  const std::string module = (CurrentConfig().windows64 ? WindowsDir() + "\\syswow64"
                                                         : SystemDir()) + "\\lanzhu4.ime";
  const bool eachBitness = CurrentConfig().name == "xp32" || CurrentConfig().name == "win7-64";

  for (const Row& row : kRows) {
    if (!row.everywhere && !eachBitness) continue;
    SCOPED_TRACE(row.what);
    if (row.install == Install::kSilent) {
      EXPECT_EQ(0u, InstallSilently(BuildProgram("LANZ_SETUP_EXE"), nullptr));
    }
    if (row.install == Install::kWizard) InstallThroughTheWizard();
    if (row.install != Install::kNone) ListThisIme(first);
    if (row.prepare != nullptr) row.prepare();
    HMODULE held = row.moduleInUse ? LoadLibraryA(module.c_str()) : nullptr;
    EXPECT_EQ(row.moduleInUse, held != nullptr);
    const PrefixState before = CapturePrefixState();

    const UninstallRecord record = Uninstall(row.start);
    if (row.start != Start::kFromList) {
      EXPECT_EQ(row.exitCode, record.exitCode);
    }
    EXPECT_EQ(row.messages, record.messages);
    if (held != nullptr) {
      // Moved aside, so that a new installation finds the name free; the
      // comparison after the restart shows that Windows then deletes it.
      EXPECT_FALSE(FileExists(module));
      EXPECT_TRUE(FileExists(module.substr(0, module.size() - 5) + "2.ime"));
      std::string log;
      EXPECT_TRUE(ReadBytes("c:\\windows\\temp\\lanzdel.log", &log));
      EXPECT_NE(std::string::npos, log.find("result: exit code 3010"));
      RemoveFile("c:\\windows\\temp\\lanzdel.log");
      FreeLibrary(held);
    }
    const PrefixState after = CapturePrefixState();
    const std::vector<std::string> changes =
        row.left == Left::kPartAsBefore ? Changes(Part(before, row.part), Part(after, row.part))
        : row.left == Left::kUserData   ? Changes(withUserData, AfterRestart(after))
                                        : Changes(templateState, AfterRestart(after));
    EXPECT_EQ(std::vector<std::string>{}, changes);
    if (row.part != nullptr) {
      EXPECT_FALSE(Part(before, row.part).empty());
    }
  }
}

}  // namespace
