// Command-line face of the driver, for the demo and for poking at a prefix:
//   lzdriver show PROGRAM [ARGS...]   start it, report its main window, close it
//   lzdriver records                  print the persisted installation directory
//   lzdriver tour PROGRAM DIR         install through the wizard, leaving a
//                                     screenshot of every page in DIR
//   lzdriver install-silent PROGRAM   run PROGRAM setlzsrf32, answer its message
//                                     boxes, print what it installed
//   lzdriver reinstall-keeping PROGRAM  add a phrase of the user's to the
//                                     installation, install again through
//                                     the wizard keeping the user's data, and
//                                     say whether the phrase came back
//   lzdriver uninstall                uninstall from the list of installed
//                                     programs, keeping the user's data, and
//                                     print what is left
#include <windows.h>

#include <cstdio>
#include <string>

#include "driver.h"
#include "install_summary.h"
#include "prefix_state.h"
#include "screenshot.h"
#include "uninstall_run.h"
#include "wizard_tour.h"

namespace {

void Print(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

std::string Quoted(const std::wstring& text) { return "\"" + ToUtf8(text) + "\""; }

std::string AnsiToUtf8(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], size);
  return ToUtf8(wide);
}

std::string ReadWholeFile(const std::string& path, bool* found) {
  std::string content;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  *found = file != INVALID_HANDLE_VALUE;
  if (!*found) return content;
  char chunk[512];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) content.append(chunk, got);
  CloseHandle(file);
  return content;
}

void PrintFileRecord(const char* label, const std::string& path) {
  bool found = false;
  const std::string content = ReadWholeFile(path, &found);
  Print(std::string(label) + " " + AnsiToUtf8(path) + ": " +
        (found ? "\"" + AnsiToUtf8(content) + "\"" : "(none)") + "\n");
}

int ShowRecords() {
  char windowsDir[MAX_PATH] = {};
  GetWindowsDirectoryA(windowsDir, MAX_PATH);
  PrintFileRecord("path file ", std::string(windowsDir) + "\\lanzpath.lzh");

  HKEY key;
  std::string value = "(none)";
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\lanzwb", 0, KEY_READ | KEY_WOW64_32KEY, &key) ==
      ERROR_SUCCESS) {
    char data[512] = {};
    DWORD size = sizeof data - 1;
    if (RegQueryValueExA(key, "path", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) ==
        ERROR_SUCCESS) {
      value = "\"" + AnsiToUtf8(std::string(data, size)) + "\"";
    }
    RegCloseKey(key);
  }
  Print("registry   HKLM\\Software\\lanzwb path (32-bit view): " + value + "\n");

  for (const char* letter = "gfedc"; *letter != '\0'; ++letter) {
    const std::string root = std::string(1, *letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED) {
      PrintFileRecord("spare file", root + "lanzhu\\lanzpath.lzh");
      break;
    }
  }
  return 0;
}

int ShowProgram(int argc, wchar_t** argv) {
  std::wstring arguments;
  for (int i = 3; i < argc; ++i) arguments += (i > 3 ? L" " : L"") + std::wstring(argv[i]);
  Launched launched;
  if (!StartProgram(argv[2], arguments, &launched)) {
    Print("cannot start " + ToUtf8(argv[2]) + "\n");
    return 1;
  }
  HWND window = WaitForWindow(launched.processId, L"installWClass", 15000);
  if (window == nullptr) {
    HWND box = WaitForMessageBox(launched.processId, 1000);
    if (box != nullptr) {
      Print("message box " + Quoted(WindowText(box)) + ": " + Quoted(MessageBoxText(box)) + "\n");
      AnswerMessageBox(box, IDOK);
    } else {
      Print("no window\n");
    }
  } else {
    RECT frame;
    GetWindowRect(window, &frame);
    char facts[160];
    std::snprintf(facts, sizeof facts, "window class installWClass at %ld,%ld size %ldx%ld, title ",
                  frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    Print(facts + Quoted(WindowText(window)) + "\n");
    const char* wait = std::getenv("LANZ_DEMO_KEEP_OPEN");
    if (wait == nullptr || wait[0] != '1') PostMessageW(window, WM_CLOSE, 0, 0);
  }
  const DWORD code = WaitForExit(launched, INFINITE);
  Print("exit code " + std::to_string(code) + "\n");
  CloseLaunched(&launched);
  return 0;
}

// Saves every page, the skin dialog and each message box, and says where.
class ScreenshotTaker : public TourObserver {
 public:
  explicit ScreenshotTaker(std::string dir) : dir_(std::move(dir)) {}

  void Page(const std::string& name, HWND wizard) override { Save(name, wizard); }
  void SkinDialog(HWND dialog) override { Save("7-skin-dialog", dialog); }
  int MessageBox(HWND box, HWND) override {
    Print("message: " + ToUtf8(MessageBoxText(box)) + "\n");
    Save("message-" + std::to_string(++boxes_), box);
    return IDOK;
  }

 private:
  void Save(const std::string& name, HWND window) {
    const std::string path = dir_ + "\\" + name + ".png";
    Print((SaveWindowPng(window, path) ? "screenshot " : "no screenshot ") + path + "\n");
  }

  std::string dir_;
  int boxes_ = 0;
};

int TourProgram(wchar_t** argv) {
  Launched launched;
  if (!StartProgram(argv[2], L"", &launched)) {
    Print("cannot start " + ToUtf8(argv[2]) + "\n");
    return 1;
  }
  ScreenshotTaker taker(ToUtf8(argv[3]));
  const TourRecord record = InstallThroughWizard(launched, TourChoices(), taker);
  for (const std::wstring& text : record.otherMessages) Print("started program said: " + ToUtf8(text) + "\n");
  if (!record.nameLineText.empty()) Print("typed on the try-it page: " + ToUtf8(record.nameLineText) + "\n");
  Print("exit code " + std::to_string(record.exitCode) + "\n");
  CloseLaunched(&launched);
  if (!record.failure.empty()) {
    Print("tour stopped: " + record.failure + "\n");
    return 1;
  }
  return 0;
}

int InstallSilentlyAndSummarise(const wchar_t* program) {
  std::vector<std::wstring> answered;
  const DWORD code = InstallSilently(program, &answered);
  for (const std::wstring& box : answered) Print("message box answered: " + ToUtf8(box) + "\n");
  Print(code == STILL_ACTIVE ? std::string("did not start, or still running after 120 s\n")
                             : "exit code " + std::to_string(code) + "\n");
  Print(InstallSummary());
  return code == 0 ? 0 : 1;
}

// Answers the keep question with Yes and says what each box said.
class KeepsTheData : public TourObserver {
 public:
  int MessageBox(HWND box, HWND) override {
    const std::wstring text = MessageBoxText(box);
    Print("message: " + ToUtf8(text) + "\n");
    return text == L"检测到安装目录下有智能岚舟以前的词组等数据文件，是否保留？" ? IDYES : IDOK;
  }
};

int ReinstallKeeping(wchar_t** argv) {
  char windowsDir[MAX_PATH] = {};
  GetWindowsDirectoryA(windowsDir, MAX_PATH);
  bool found = false;
  const std::string dir = ReadWholeFile(std::string(windowsDir) + "\\lanzpath.lzh", &found);
  const std::string phrases = dir + "userck.txt";
  const std::string phrase = "lanzhou \xE1\xB0\xD6\xDB\r\n";  // GBK "岚舟"
  std::string content = ReadWholeFile(phrases, &found);
  if (!found) {
    Print("no earlier installation with " + AnsiToUtf8(phrases) + "\n");
    return 1;
  }
  content += phrase;
  HANDLE file = CreateFileA(phrases.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  Print("the user added a phrase to " + AnsiToUtf8(phrases) + "\n");

  Launched launched;
  if (!StartProgram(argv[2], L"", &launched)) {
    Print("cannot start " + ToUtf8(argv[2]) + "\n");
    return 1;
  }
  KeepsTheData keeper;
  TourChoices choices;
  choices.skinDialog = false;
  const TourRecord record = InstallThroughWizard(launched, choices, keeper);
  CloseLaunched(&launched);
  const bool kept = ReadWholeFile(phrases, &found) == content;
  Print(std::string("the user's phrase ") + (kept ? "came back" : "was lost") + "\n");
  if (!record.failure.empty()) Print("tour stopped: " + record.failure + "\n");
  return kept && record.failure.empty() ? 0 : 1;
}

int UninstallKeepingData() {
  Print("listed: " + ToUtf8(ListedPrograms()));
  const UninstallRecord record = RunUninstaller(WineUninstaller(), L"--remove lanzqwb", IDNO);
  for (const std::wstring& text : record.messages) Print("message: " + ToUtf8(text) + "\n");
  Print("what is left:\n" + InstallSummary());
  for (const std::string& path : PendingDeletions()) {
    Print("  deleted at the next start of Windows: " + path + "\n");
  }
  return record.messages.empty() ? 1 : 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc >= 3 && std::wstring(argv[1]) == L"show") return ShowProgram(argc, argv);
  if (argc == 2 && std::wstring(argv[1]) == L"records") return ShowRecords();
  if (argc == 4 && std::wstring(argv[1]) == L"tour") return TourProgram(argv);
  if (argc == 3 && std::wstring(argv[1]) == L"install-silent") return InstallSilentlyAndSummarise(argv[2]);
  if (argc == 3 && std::wstring(argv[1]) == L"reinstall-keeping") return ReinstallKeeping(argv);
  if (argc == 2 && std::wstring(argv[1]) == L"uninstall") return UninstallKeepingData();
  Print("usage: lzdriver show PROGRAM [ARGS...] | lzdriver records"
        " | lzdriver install-silent PROGRAM | lzdriver tour PROGRAM DIR"
        " | lzdriver reinstall-keeping PROGRAM | lzdriver uninstall\n");
  return 2;
}
