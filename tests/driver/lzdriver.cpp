// The driver's command line, for the demo and for poking at a prefix:
//   lzdriver records                   print the recorded installation directory
//                                      and what an installation left there
//   lzdriver tour PROGRAM DIR          install through the wizard, a screenshot
//                                      of every page in DIR
//   lzdriver install-silent PROGRAM    PROGRAM setlzsrf32, then what it installed
//   lzdriver reinstall-keeping PROGRAM the user adds a phrase; install again
//                                      keeping the user's data; did it come back?
//   lzdriver uninstall                 uninstall from Wine's list of programs,
//                                      keeping the user's data; what is left
#include <windows.h>

#include "driver.h"
#include "prefix_state.h"
#include "test_support.h"

namespace {

void Print(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

std::string InstallDir() {
  std::string dir;
  return ReadBytes(WindowsDir() + "\\lanzpath.lzh", &dir) ? dir : "c:\\lanzhu2\\";
}

// What an installation leaves where a user or Windows looks.
int Summary() {
  std::string dir, value;
  const auto quoted = [](bool found, const std::string& text) {
    return found ? "\"" + ToUtf8(FromAcp(text)) + "\"\n" : std::string("(none)\n");
  };
  Print("path file " + WindowsDir() + "\\lanzpath.lzh: " +
        quoted(ReadBytes(WindowsDir() + "\\lanzpath.lzh", &dir), dir) +
        "registry HKLM\\Software\\lanzwb path: " + quoted(ReadPathValue(&value), value));
  dir = InstallDir();
  for (const char* name : {"lanzhu4.ime", "lanzlzsr.exe", "wbpybz.lzh", "lznetsj.dat"}) {
    Print(ToUtf8(FromAcp(dir)) + name + (FileExists(dir + name) ? "\n" : ": (none)\n"));
  }
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  const std::string system = wow64 ? WindowsDir() + "\\sysnative" : SystemDir();
  for (const std::string& path : {system + "\\lanzhu4.ime", system + "\\lanzdel.exe"}) {
    Print(path + (FileExists(path) ? "\n" : ": (none)\n"));
  }
  const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb";
  Print("uninstall entry lanzqwb: " + ToUtf8(ReadTextW(HKEY_LOCAL_MACHINE, kUninstall, L"DisplayName")) +
        "\nstart-up entry lzlzsjgl: " + ToUtf8(StartUpValue()) + "\n");
  return 0;
}

// Saves every page and box in `dir` when given; keeps the user's data.
class Demo : public TourObserver {
 public:
  explicit Demo(std::string dir) : dir_(std::move(dir)) {}
  void Page(const std::string& name, HWND window) override {
    if (!dir_.empty() && SaveWindowPng(window, dir_ + "\\" + name + ".png")) {
      Print("screenshot " + dir_ + "\\" + name + ".png\n");
    }
  }
  int MessageBox(HWND box, HWND) override {
    const std::wstring text = MessageBoxText(box);
    Print("message: " + ToUtf8(text) + "\n");
    Page("message-" + std::to_string(++boxes_), box);
    return text == L"检测到安装目录下有智能岚舟以前的词组等数据文件，是否保留？" ? IDYES : IDOK;
  }

 private:
  std::string dir_;
  int boxes_ = 0;
};

int Tour(const wchar_t* program, const std::string& dir, bool keeping) {
  Launched launched;
  if (!StartProgram(program, L"", &launched)) return 1;
  Demo demo(dir);
  TourChoices choices;
  choices.skinDialog = !keeping;
  const TourRecord record = InstallThroughWizard(launched, choices, demo);
  CloseLaunched(&launched);
  for (const std::wstring& text : record.otherMessages) Print("setupw64.exe: " + ToUtf8(text) + "\n");
  Print("exit code " + std::to_string(record.exitCode) + "\n");
  if (!record.failure.empty()) Print("tour stopped: " + record.failure + "\n");
  return record.failure.empty() ? 0 : 1;
}

int ReinstallKeeping(const wchar_t* program) {
  const std::string phrases = InstallDir() + "userck.txt";
  std::string content;
  if (!ReadBytes(phrases, &content)) return 1;
  content += "lanzhou \xE1\xB0\xD6\xDB\r\n";  // GBK "岚舟"
  WriteBytes(phrases, content);
  Print("the user added a phrase to " + ToUtf8(FromAcp(phrases)) + "\n");
  const int toured = Tour(program, "", true);
  std::string after;
  const bool kept = ReadBytes(phrases, &after) && after == content;
  Print(std::string("the user's phrase ") + (kept ? "came back\n" : "was lost\n"));
  return kept ? toured : 1;
}

int Uninstall() {
  const UninstallRecord record = RunUninstaller(WineUninstaller(), L"--remove lanzqwb", IDNO);
  for (const std::wstring& text : record.messages) Print("message: " + ToUtf8(text) + "\n");
  Print("what is left:\n");
  Summary();
  for (const std::string& path : PendingDeletions()) Print("deleted at the next start: " + path + "\n");
  return record.messages.empty() ? 1 : 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring command = argc >= 2 ? argv[1] : L"";
  if (argc == 2 && command == L"records") return Summary();
  if (argc == 4 && command == L"tour") return Tour(argv[2], ToUtf8(argv[3]), false);
  if (argc == 3 && command == L"reinstall-keeping") return ReinstallKeeping(argv[2]);
  if (argc == 2 && command == L"uninstall") return Uninstall();
  if (argc == 3 && command == L"install-silent") {
    const Answered answered = RunAnswering(argv[2], L"setlzsrf32");
    for (const std::wstring& text : answered.own) Print("message: " + ToUtf8(text) + "\n");
    for (const std::wstring& text : answered.other) Print("setupw64.exe: " + ToUtf8(text) + "\n");
    Print("exit code " + std::to_string(answered.exitCode) + "\n");
    Summary();
    return answered.exitCode == 0 ? 0 : 1;
  }
  Print("usage: lzdriver records | tour PROGRAM DIR"
        " | install-silent PROGRAM | reinstall-keeping PROGRAM | uninstall\n");
  return 2;
}
