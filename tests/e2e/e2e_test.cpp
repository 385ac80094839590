// The real setup.exe and its uninstaller in fresh prefixes, seen as a user, a
// deployment tool or Windows sees them. Each row of the table is a suite of
// its own, and so a CTest test in a prefix of its own. Every run starts a copy
// of setup.exe from c:\downloads, beside a planted "icacls.exe", with a planted
// "c:\my.exe": programs an installer must never start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "core/backup_list.h"
#include "driver.h"
#include "prefix_state.h"
#include "test_support.h"

namespace {

const std::string kDir = "c:\\lanzhu2\\";
const std::string kPathFile = WindowsDir() + "\\lanzpath.lzh";
const std::string kMarkerLog = "c:\\lzmarker.txt";
const wchar_t kSilent[] = L"/q SetLzSrF32 loglz32=c:\\lz.log";
const wchar_t kRegistered[] = L"智能岚舟已安装成功，如不能使用，请重新启动计算机！";
const wchar_t kCompleted[] = L"安装完毕，如不能使用，请重新启动计算机！";
const wchar_t kKeep[] = L"检测到安装目录下有智能岚舟以前的词组等数据文件，是否保留？";
const wchar_t kInUse[] =
    L"\u3000\u3000你以前安装的岚舟五笔正在使用，请关闭使用岚舟五笔的所有窗口，"
    L"或者重新启动机器后，才能安装新版本的岚舟五笔！";
const wchar_t kUninstallEntry[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb";
const wchar_t kPreload[] = L"Keyboard Layout\\Preload";
const wchar_t kDefaultPreload[] = L".DEFAULT\\Keyboard Layout\\Preload";
const wchar_t kLayouts[] = L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\";

// A file of this build, as the prefix sees it on drive B:.
std::string Built(const char* name) {
  return std::string(std::getenv("LANZ_BUILD")) + "/" + name;
}

// A GBK text of the installer's narrow boxes, as this code page shows it.
std::wstring Narrow(const std::wstring& text) { return FromAcp(Gbk(text)); }

const std::map<std::string, std::string>& Payload() {
  static const auto entries = InflatedEntries(Bytes(Built("payload.lzz")));
  return entries;
}

// The 32-bit module's place: a 32-bit program sees SysWOW64 as system32.
std::string SystemModule() { return SystemDir() + "\\lanzhu4.ime"; }
// The real system directory; a 32-bit program reaches it through sysnative.
std::string NativeSystemDir() {
  return CurrentConfig().windows64 ? WindowsDir() + "\\sysnative" : SystemDir();
}

std::wstring Place(HKEY root, int place) {
  return ReadTextW(root, root == HKEY_USERS ? kDefaultPreload : kPreload,
                   std::to_wstring(place).c_str());
}

// The preload lists of the user and of the default user, written whole.
void ListLayouts(const std::vector<std::wstring>& user, const std::vector<std::wstring>& byDefault) {
  for (const HKEY root : {HKEY_CURRENT_USER, HKEY_USERS}) {
    const std::vector<std::wstring>& ids = root == HKEY_USERS ? byDefault : user;
    RegDeleteKeyW(root, root == HKEY_USERS ? kDefaultPreload : kPreload);
    for (std::size_t place = 0; place < ids.size(); ++place) {
      WriteTextW(root, root == HKEY_USERS ? kDefaultPreload : kPreload,
                 std::to_wstring(place + 1).c_str(), ids[place]);
    }
  }
}

// An earlier version of the IME, registered and listed.
void ListEarlierIme(const std::wstring& earlier, const std::vector<std::wstring>& ids) {
  WriteTextW(HKEY_LOCAL_MACHINE, kLayouts + earlier, L"layout text", L"智能岚舟输入平台  6.3");
  ListLayouts(ids, ids);
}

void MakeDir(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

// What a run showed: for a silent one its boxes, exit code and log.
struct Seen : TourRecord {
  std::string log;
  bool survived = false;  // the wizard, clicked and closed during a box
};

// The user of the wizard: types the directory, answers Yes to every question, OK to the rest,
// saves every page and box when told where, and in the guard row clicks the
// exit button and closes the window during the first box.
class User : public TourObserver {
 public:
  std::string shots;
  bool guard = false;
  bool survived = false;

  void Page(const std::string& name, HWND window) override {
    // Typed without its backslash, which the installer adds.
    if (name == "6-directory") {
      SendMessageW(EditLineAt(window, 120, 195), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"c:\\lanzhu2"));
    }
    if (!shots.empty()) {
      EXPECT_TRUE(SaveWindowPng(window, shots + "\\" + name + ".png"));
    }
  }
  int MessageBox(HWND box, HWND wizard) override {
    Page("message-" + std::to_string(++boxes_), box);
    if (guard && boxes_ == 1) {
      ClickAt(wizard, kExitX, kExitY);
      ClickAt(wizard, kExitX, kExitY, true);
      PostMessageW(wizard, WM_CLOSE, 0, 0);
      Sleep(1000);
      survived = IsWindow(wizard) && IsWindowVisible(wizard) && IsWindow(box);
    }
    const std::wstring text = MessageBoxText(box);
    return !text.empty() && text.back() == L'？' ? IDYES : IDOK;
  }

 private:
  int boxes_ = 0;
};

// Both crossed window modes and every skin are installed somewhere.
TourChoices Choices() {
  const std::string& name = CurrentConfig().name;
  TourChoices choices;
  choices.windowModeButton = name == "xp32" || name == "win7-64-big5" ? 106 : 107;
  choices.skinButton = name == "xp32" ? 110 : name == "win7-64" ? 112 : 111;
  return choices;
}

struct Row {
  const char* name;
  void (*prepare)();
  const wchar_t* arguments;  // silent with these; through the wizard when null
  DWORD exitCode;
  std::vector<std::wstring> boxes;  // the installer's own, in turn
  std::vector<std::string> log;     // found in the log, in this order
  std::string dir;                  // installed into, as every record names it afterwards
  void (*check)(const Seen&);
};

Seen RunRow(const Row& row) {
  Seen seen;
  if (row.arguments != nullptr) {
    const Answered answered = RunAnswering(L"c:\\downloads\\setup.exe", row.arguments);
    seen.exitCode = answered.exitCode;
    seen.messages = answered.own;
    seen.otherMessages = answered.other;
    seen.log = Bytes("c:\\lz.log");
    return seen;
  }
  User user;
  if (std::string(row.name) == "WizardInstall") {
    user.shots = Built("../screenshots");
    MakeDir(user.shots);
    MakeDir(user.shots += "\\" + CurrentConfig().name);
  }
  user.guard = std::string(row.name) == "WizardInstallGuard";
  Launched run;
  EXPECT_TRUE(StartProgram(L"c:\\downloads\\setup.exe", L"", &run));
  static_cast<TourRecord&>(seen) = InstallThroughWizard(run, Choices(), user);
  CloseLaunched(&run);
  EXPECT_EQ("", seen.failure);
  seen.survived = user.survived;
  return seen;
}

// The one assertion of every row: the ending, the boxes, the log, where the
// records point, the start-up entry, and no planted program started.
void ExpectRow(const Row& row, const Seen& seen) {
  EXPECT_EQ(row.exitCode, seen.exitCode);
  EXPECT_EQ(row.boxes, seen.messages);
  const bool registers64 = CurrentConfig().windows64 && !row.dir.empty();
  EXPECT_EQ(registers64 ? std::vector<std::wstring>{kRegistered} : std::vector<std::wstring>{},
            seen.otherMessages);
  std::size_t at = 0;
  for (const std::string& line : row.log) {
    at = seen.log.find(line, at);
    ASSERT_NE(std::string::npos, at) << "not in order in the log: " << line << "\n" << seen.log;
  }
  for (int waited = 0; waited < 20 && !FileExists(kMarkerLog); ++waited) Sleep(100);
  EXPECT_FALSE(FileExists(kMarkerLog)) << "planted programs ran: " << Bytes(kMarkerLog);
  WIN32_FIND_DATAA stray;
  EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA("c:\\*.ime", &stray)) << stray.cFileName;
  if (row.dir.empty()) return;
  std::string value;
  EXPECT_TRUE(ReadPathValue(&value));
  EXPECT_EQ(row.dir, value);
  EXPECT_EQ(row.dir, Bytes(kPathFile));
  if (CurrentConfig().majorVersion >= 6) {
    EXPECT_EQ(row.dir, Bytes("c:\\lanzhu\\lanzpath.lzh"));
  }
  EXPECT_TRUE(Payload().at("lanzhu4.ime") == Bytes(row.dir + "lanzhu4.ime"));
  EXPECT_EQ(L"\"" + FromAcp(row.dir) + L"lanzlzsr.exe\" lz", StartUpValue());
}

void CheckSilentInstall(const Seen&) {
  const bool vista = CurrentConfig().majorVersion >= 6;
  for (const auto& [name, payload] : Payload()) {
    const std::string installed = Bytes(kDir + name);
    if (name.rfind("lanz32", 0) == 0 || name.rfind("lanz64", 0) == 0) {
      EXPECT_FALSE(FileExists(kDir + name)) << name;  // the first pass's modules
    } else if (name == "lanzznw6.exe") {
      EXPECT_EQ(!vista, FileExists(kDir + name));
    } else if (name == "lanzlzsr.exe") {
      EXPECT_TRUE((vista ? Payload().at("lanzznw6.exe") : payload) == installed);
    } else {
      EXPECT_TRUE((name == "setupw64.exe" ? StampedModule(payload) : payload) == installed)
          << name;
    }
  }
  EXPECT_EQ(std::string("LZWBPYBZ=0\0", 11), Bytes(kDir + "wbpybz.lzh"));
  const std::string windows = WindowsDir();
  const std::string wow = CurrentConfig().windows64 ? windows + "\\syswow64" : SystemDir();
  EXPECT_TRUE(Payload().at(CurrentConfig().windows64 ? "lanzhu32.ime" : "lanzhu4.ime") ==
              Bytes(wow + "\\lanzhu4.ime"));
  if (CurrentConfig().windows64) {
    EXPECT_TRUE(Payload().at("lanzhu64.ime") == Bytes(NativeSystemDir() + "\\lanzhu4.ime"));
    EXPECT_FALSE(FileExists(wow + "\\lanzdel.exe"));
    std::string native;
    EXPECT_TRUE(ReadPathValue(&native, KEY_WOW64_64KEY));
    EXPECT_EQ(kDir, native);
  }
  EXPECT_TRUE(Payload().at(CurrentConfig().windows64 ? "lzqdel64.exe" : "lanzdel.exe") ==
              Bytes(NativeSystemDir() + "\\lanzdel.exe"));
  EXPECT_EQ(L"岚舟五笔", ReadTextW(HKEY_LOCAL_MACHINE, kUninstallEntry, L"DisplayName"));
  EXPECT_EQ(FromAcp(SystemDir()) + L"\\lanzdel.exe",
            ReadTextW(HKEY_LOCAL_MACHINE, kUninstallEntry, L"UninstallString"));
  EXPECT_EQ(L"", ReadTextW(HKEY_LOCAL_MACHINE,
                           L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\"
                           L"User Agent\\Post Platform",
                           L"lzsr7300"));
  int ours = 0;
  for (const std::wstring& key : KeyboardLayoutKeys()) {
    ours += ReadTextW(HKEY_LOCAL_MACHINE, key.c_str(), L"Layout Text").rfind(L"智能岚舟输入平台", 0) == 0;
  }
  EXPECT_GE(ours, 1);
}

void CheckWizardInstall(const Seen& seen) {
  std::vector<std::string> pages = {"0-welcome", "1-addresses", "6-directory", "7-installing",
                                    "7-processing"};
  if (CurrentConfig().windows64) {
    pages.insert(pages.end(), {"8-try-it", "9-try-it"});
    EXPECT_EQ(L"lanzhu", seen.nameLineText);
  }
  EXPECT_EQ(pages, seen.pages);
  EXPECT_EQ(CurrentConfig().oemCodePage == 950 ? L"智能嵐舟皮膚及窗口模式選擇"
                                               : L"智能岚舟皮肤及窗口模式选择",
            seen.skinDialogCaption);
  EXPECT_EQ(std::string("LZWBPYBZ=1\0", 11), Bytes(kDir + "wbpybz.lzh"));
  EXPECT_EQ("LZNETURL1=www.danwei.example.cn\r\nLZNETURL2=www.zhengfu.example.gov.cn\r\n"
            "LZNETTIME=1\r\nLZBJTIME=7\r\nLZWYTIME=3\r\nLZSJOFF=0\r\nLZNETTIME0=0\r\n"
            "LZBJTIME0=0\r\nLZNEONE=1\r\n",
            Bytes(kDir + "lznetsj.dat"));
  EXPECT_EQ(L"岚舟拼音", ReadTextW(HKEY_LOCAL_MACHINE, kUninstallEntry, L"DisplayName"));
  // The settings record takes the chosen window mode (the dual one stored as
  // 4, the Windows-like as 3), the code page, and the Pinyin edition's byte.
  const std::string shipped = Payload().at("lzszsj43.lzh");
  const std::string record = Bytes(kDir + "lzszsj43.lzh");
  ASSERT_EQ(200u, record.size());
  EXPECT_EQ(Choices().windowModeButton == 106 ? 4 : 3, record[0]);
  EXPECT_EQ(CurrentConfig().oemCodePage == 950 ? 1 : shipped[15], record[15]);
  EXPECT_EQ(10, record[80]);
  EXPECT_EQ(shipped.substr(81), record.substr(81));
}

void BlockBitmap() {
  MakeDir("c:\\lanzhu2");
  MakeDir("c:\\lanzhu2\\lzzt1.bmp");
}

void CheckGuard(const Seen& seen) {
  EXPECT_TRUE(seen.survived);
  // What comes after the boxes was done: the module, the settings record.
  EXPECT_TRUE(Payload().at("lanzhu4.ime") == Bytes(SystemModule()));
  EXPECT_EQ(4, Bytes(kDir + "lzszsj43.lzh")[0]);
}

void LoadEarlierModule() {
  ASSERT_TRUE(WriteBytes(SystemModule(), Payload().at("lanzhu4.ime")));
  ASSERT_NE(nullptr, LoadLibraryA(SystemModule().c_str()));
}

void CheckModuleReplaced(const Seen&) {
  EXPECT_TRUE(Payload().at("lanzhu4.ime") == Bytes(SystemModule()));
}

const char kOldAddresses[] = "LZNETURL1=www.kept.example\r\n";

// The rewrite's sibling cannot be created.
void BlockRewrite() {
  MakeDir("c:\\lanzhu2");
  ASSERT_TRUE(WriteBytes(kDir + "lznetsj.dat", kOldAddresses));
  MakeDir(kDir + "lznetsj.dat~");
}

void CheckRewrite(const Seen&) { EXPECT_EQ(kOldAddresses, Bytes(kDir + "lznetsj.dat")); }

// Listed at place 4, its module loaded by a program: movable, not deletable.
void EarlierImeLoaded() {
  ListEarlierIme(L"e0200804", {L"00000804", L"00000409", L"00000411", L"e0200804", L"00000412"});
  LoadEarlierModule();
}

void CheckPromoted(const Seen&) {
  EXPECT_EQ((std::vector<std::wstring>{L"e0200804", L"00000409", L"00000411", L"00000412"}),
            (std::vector<std::wstring>{Place(HKEY_CURRENT_USER, 2), Place(HKEY_CURRENT_USER, 3),
                                       Place(HKEY_CURRENT_USER, 4), Place(HKEY_CURRENT_USER, 5)}));
}

// Listed second, its module held open: neither deletable nor movable.
void EarlierImeHeld() {
  ListEarlierIme(L"e0200804", {L"00000804", L"e0200804", L"00000409"});
  ASSERT_TRUE(WriteBytes(SystemModule(), "earlier module"));
  ASSERT_NE(INVALID_HANDLE_VALUE, CreateFileA(SystemModule().c_str(), GENERIC_READ, FILE_SHARE_READ,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
}

void CheckNothingInstalled(const Seen&) {
  EXPECT_FALSE(FileExists(kDir + "lanzhu4.ime"));
  EXPECT_FALSE(FileExists(SystemDir() + "\\lanzdel.exe"));
  EXPECT_EQ(L"(no key)", ReadTextW(HKEY_LOCAL_MACHINE, kUninstallEntry, L"DisplayName"));
}

// The default input language (registered under the id that Wine puts at
// place 1 at every start), with others in the list: Yes swaps the first two
// places of both lists and asks for a restart.
void EarlierImeDefault() {
  const std::wstring wine = Place(HKEY_CURRENT_USER, 1);
  ListEarlierIme(wine, {wine, L"00000409", L"00000804"});
}

void CheckSwapped(const Seen& seen) {
  CheckNothingInstalled(seen);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_USERS}) {
    EXPECT_EQ(L"00000409", Place(root, 1));
    EXPECT_EQ(L"00000804", Place(root, 3));
  }
  EXPECT_EQ(Place(HKEY_USERS, 2), Place(HKEY_CURRENT_USER, 2));
  EXPECT_EQ(L"智能岚舟输入平台  6.3",
            ReadTextW(HKEY_LOCAL_MACHINE, (kLayouts + Place(HKEY_USERS, 2)).c_str(), L"layout text"));
}

void LinkDefaultDir() {
  MakeDir("c:\\elsewhere");
  ASSERT_TRUE(MakeDirLink("lanzhu2", "elsewhere"));
}

void CheckNothingThroughLink(const Seen&) { EXPECT_TRUE(RemoveDirectoryA("c:\\elsewhere")); }

// The marker as setupw64.exe, held open so that it cannot be replaced.
void PlantSetupw64() {
  MakeDir("c:\\lanzhu2");
  ASSERT_TRUE(CopyFileW(FromUtf8(Built("lzmarker.exe")).c_str(), L"c:\\lanzhu2\\setupw64.exe", FALSE));
  ASSERT_NE(INVALID_HANDLE_VALUE, CreateFileA("c:\\lanzhu2\\setupw64.exe", GENERIC_READ, FILE_SHARE_READ,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
}

#define RECORD_FILE(bytes) [] { ASSERT_TRUE(WriteBytes(kPathFile, bytes)); }

const Row kRows[] = {
    {"SilentInstall", nullptr, kSilent, 0, {},
     {"installation checks: path--c:\\lanzhu2\\--14;", "result: exit code 0 (complete)"}, kDir,
     CheckSilentInstall},
    {"WizardInstall", nullptr, nullptr, 0, {kCompleted}, {}, kDir, CheckWizardInstall},
    {"WizardInstallGuard", BlockBitmap, nullptr, 0,
     {Narrow(L"没有成功解压复制lzzt1.bmp文件！请重新下载安装。"),
      Narrow(L"文件解压不完整，请到智能岚舟网站http://www.lanzhu.example/重新下载安装。"),
      L"lzzt1.bmp....有文件没有成功解压，请重新下载安装！\r\n\r\n\r\n上述文件没有成功复制，请重新下载安装！\r\n",
      kCompleted},
     {}, kDir,
     CheckGuard},
    {"SilentExitFileInUse", LoadEarlierModule, kSilent, 3010, {},
     {"restart needed: C:\\windows\\system32\\lanzhu4.ime was in use and moved aside to "
      "C:\\windows\\system32\\lanzhu2.ime",
      "result: exit code 3010 (complete after a restart)"},
     kDir, CheckModuleReplaced},
    {"SilentExitExtraction", BlockBitmap, kSilent, 1603,
     {Narrow(L"没有成功解压复制lzzt1.bmp文件！请重新下载安装。"),
      Narrow(L"文件解压不完整，请到智能岚舟网站http://www.lanzhu.example/重新下载安装。")},
     {"not extracted: lzzt1.bmp", "failed: the payload was not extracted whole"}, "", nullptr},
    {"SilentExitRewrite", BlockRewrite, kSilent, 1603, {},
     {"failed: wbpybz.lzh and lznetsj.dat not both written"}, "", CheckRewrite},
    {"EarlierIme", EarlierImeLoaded, nullptr, 0, {L"安装完毕，请立即重新启动计算机！"}, {}, kDir,
     CheckPromoted},
    {"EarlierImeInUse", EarlierImeHeld, kSilent, 1603, {kInUse},
     {"cannot be moved aside: nothing installed", "result: exit code 1603"}, "",
     CheckNothingInstalled},
    // The wizard ends with the same box alone: no copy reported as failed.
    {"EarlierImeInUseWizard", EarlierImeHeld, nullptr, 0, {kInUse}, {}, "", CheckNothingInstalled},
    {"DefaultImeWizard", EarlierImeDefault, nullptr, 0,
     {L"\u3000\u3000你以前安装的智能岚舟为系统默认输入法，请设置为系统非默认输入法后，"
      L"重新启动机器才能安装新版本的智能岚舟！",
      L"是否设置智能岚舟为系统非默认输入法？", L"请重新启动机器后安装智能岚舟！"},
     {}, "", CheckSwapped},
    // Records the installer must not believe, a linked directory, a name
    // whose second byte is 0x5C under Big5 (許 is B3 5C), one with a blank.
    // The spare file counts only where the installer wrote no other record.
    {"RecordEmptyPathFile",
     [] { ASSERT_TRUE(WriteBytes(kPathFile, "") && WriteBytes("c:\\lanzhu\\lanzpath.lzh", "c:\\spare\\")); },
     kSilent, 0, {}, {}, kDir, nullptr},
    {"RecordNulPathFile", RECORD_FILE(std::string(8, '\0')), kSilent, 0, {}, {}, kDir, nullptr},
    {"RecordParentPathFile", RECORD_FILE("..\\..\\"), kSilent, 0, {}, {}, kDir, nullptr},
    {"RecordOverlongPathFile", RECORD_FILE("c:\\" + std::string(196, 'a') + "\\"), kSilent, 0, {},
     {}, kDir, nullptr},
    {"RecordDwordValue", [] { ASSERT_TRUE(WritePathValue("c:\\dword\\", REG_DWORD)); }, kSilent, 0,
     {}, {}, kDir, nullptr},
    {"RecordExpandValue", [] { ASSERT_TRUE(WritePathValue("c:\\expand\\", REG_EXPAND_SZ)); },
     kSilent, 0, {}, {}, kDir, nullptr},
    {"RecordSpareOnly", [] { ASSERT_TRUE(WriteBytes("c:\\lanzhu\\lanzpath.lzh", "c:\\")); }, kSilent,
     0, {}, {}, kDir, nullptr},
    {"TrailByteInstallDir", RECORD_FILE("c:\\\xB3\x5C\\"), kSilent, 0, {}, {}, "c:\\\xB3\x5C\\",
     nullptr},
    {"DirectoryWithABlank", RECORD_FILE("c:\\my dir\\"), kSilent, 0, {}, {}, "c:\\my dir\\", nullptr},
    {"LinkedInstallDir", LinkDefaultDir, kSilent, 1603, {}, {"c:\\lanzhu2\\ is a link"}, "",
     CheckNothingThroughLink},
    {"UnreplaceableSetupw64", PlantSetupw64, kSilent, 1603,
     {Narrow(L"没有成功解压复制setupw64.exe文件！请重新下载安装。"),
      Narrow(L"文件解压不完整，请到智能岚舟网站http://www.lanzhu.example/重新下载安装。")},
     {"not registered for 64-bit programs"}, "", nullptr},
};

class Scenario : public ::testing::Test {
 public:
  explicit Scenario(const Row& row) : row_(row) {}
  void TestBody() override {
    ClearInstallDirRecords();
    MakeDir("c:\\lanzhu");
    MakeDir("c:\\downloads");
    const std::wstring marker = FromUtf8(Built("lzmarker.exe"));
    ASSERT_TRUE(CopyFileW(FromUtf8(Built("setup.exe")).c_str(), L"c:\\downloads\\setup.exe",
                          FALSE));
    ASSERT_TRUE(CopyFileW(marker.c_str(), L"c:\\downloads\\icacls.exe", FALSE));
    ASSERT_TRUE(CopyFileW(marker.c_str(), L"c:\\my.exe", FALSE));
    if (row_.prepare != nullptr) row_.prepare();
    if (HasFatalFailure()) return;
    const Seen seen = RunRow(row_);
    ExpectRow(row_, seen);
    if (row_.check != nullptr) row_.check(seen);
  }

 private:
  const Row& row_;
};

const bool kRegisteredRows = [] {
  for (const Row& row : kRows) {
    ::testing::RegisterTest(row.name, "Run", nullptr, nullptr, __FILE__, __LINE__,
                            [&row]() -> ::testing::Test* { return new Scenario(row); });
  }
  return true;
}();

// The uninstaller, in every configuration: the prefix compared with the template's
// state (as the next start of Windows leaves it) after each uninstallation.
TEST(Uninstall, TakesBackWhatInstallationsWrote) {
  ASSERT_TRUE(CopyFileW(FromUtf8(Built("setup.exe")).c_str(), L"c:\\setup.exe", FALSE));
  // Another IME, registered and listed, keeps its place.
  const std::wstring other = L"e0300804";
  WriteTextW(HKEY_LOCAL_MACHINE, kLayouts + other, L"Ime File", L"otherime.ime");
  const std::wstring first = Place(HKEY_CURRENT_USER, 1);
  ListLayouts({first, other, L"00000409"}, {first, other, L"00000409"});
  const PrefixState clean = CapturePrefixState();
  // Windows lists an IME when it is registered; Wine does not: this one goes
  // into both lists before the other IME, as Windows would put it.
  const auto listThisIme = [&] {
    std::vector<std::wstring> ours;
    for (const std::wstring& key : KeyboardLayoutKeys()) {
      std::wstring file = ReadTextW(HKEY_LOCAL_MACHINE, key.c_str(), L"Ime File");
      for (wchar_t& c : file) c = towlower(c);
      if (file.find(L"lanzhu4.ime") != std::wstring::npos) ours.push_back(key.substr(key.rfind(L'\\') + 1));
    }
    ASSERT_FALSE(ours.empty());
    std::vector<std::wstring> user = {first};
    user.insert(user.end(), ours.begin(), ours.end());
    user.insert(user.end(), {other, L"00000409"});
    ours.insert(ours.end(), {first, other, L"00000409"});
    ListLayouts(user, ours);
  };

  // Silent, the module in use: moved aside, 3010, the user's data kept.
  EXPECT_EQ(0u, RunAnswering(L"c:\\setup.exe", L"setlzsrf32").exitCode);
  listThisIme();
  const std::string module = (CurrentConfig().windows64 ? WindowsDir() + "\\syswow64" : SystemDir()) +
                             "\\lanzhu4.ime";
  HMODULE held = LoadLibraryA(module.c_str());
  EXPECT_NE(nullptr, held);
  UninstallRecord record =
      RunUninstaller(L"c:\\lanzhu2\\lanzdel.exe", L"DelLzsrf32 loglz32=c:\\windows\\temp\\del.log", IDNO);
  EXPECT_EQ(3010u, record.exitCode);
  EXPECT_EQ(std::vector<std::wstring>{}, record.messages);
  EXPECT_NE(std::string::npos, Bytes("c:\\windows\\temp\\del.log").find("result: exit code 3010"));
  RemoveFile("c:\\windows\\temp\\del.log");
  FreeLibrary(held);
  PrefixState kept = clean;
  kept.insert("dir C:\\lanzhu2");
  for (const auto& [name, bytes] : Payload()) {
    if (IsUserDataFile(name.c_str())) kept.insert("file C:\\lanzhu2\\" + name + " " + std::to_string(bytes.size()));
  }
  EXPECT_EQ(std::vector<std::string>{}, Changes(kept, AfterRestart(CapturePrefixState())));

  // The user adds a phrase; the wizard offers to keep the data and does.
  const std::string phrases = Bytes(kDir + "userck.txt") + "lanzhou\r\n";
  ASSERT_TRUE(WriteBytes(kDir + "userck.txt", phrases));
  User user;
  TourChoices keeping = Choices();
  keeping.skinDialog = false;
  Launched run;
  ASSERT_TRUE(StartProgram(L"c:\\setup.exe", L"", &run));
  const TourRecord tour = InstallThroughWizard(run, keeping, user);
  CloseLaunched(&run);
  EXPECT_EQ("", tour.failure);
  ASSERT_FALSE(tour.messages.empty());
  EXPECT_EQ(kKeep, tour.messages.front());
  EXPECT_EQ(kCompleted, tour.messages.back());
  EXPECT_EQ(phrases, Bytes(kDir + "userck.txt"));

  // From Wine's list of installed programs, removing the data too.
  listThisIme();
  record = RunUninstaller(WineUninstaller(), L"--remove lanzqwb", IDYES);
  EXPECT_EQ((std::vector<std::wstring>{L"确定要卸载智能岚舟输入平台吗？", L"是否同时删除你的词组等数据文件？",
                                       L"智能岚舟输入平台已卸载。"}),
            record.messages);
  const PrefixState after = CapturePrefixState();
  EXPECT_EQ(std::vector<std::string>{}, Changes(clean, AfterRestart(after)));

  // Once more, with nothing installed: it says so and changes nothing.
  record = RunUninstaller(FromUtf8(Built("payload/lanzdel.exe")), L"", IDNO);
  EXPECT_EQ(0u, record.exitCode);
  EXPECT_EQ(std::vector<std::wstring>{L"没有找到已安装的智能岚舟输入平台。"}, record.messages);
  EXPECT_EQ(std::vector<std::string>{}, Changes(after, CapturePrefixState()));
}

}  // namespace
