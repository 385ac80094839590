// The uninstaller "lanzdel.exe" (64-bit: "lzqdel64.exe", installed under the
// same name): takes back what the installation wrote. "dellzsrf32" on its
// command line runs it without a window, question or message, keeping the
// user's data; "loglz32=<file>" writes a log of its steps. Either way it
// ends with an installer's exit code: 0, 3010 when a restart completes the
// removal, 1603 when something stays.
#include <windows.h>

#include "core/text_match.h"
#include "shell/texts.h"
#include "system/message_box.h"
#include "system/product_texts.h"
#include "system/run_result.h"
#include "system/uninstall_sequence.h"

static void RunWithMessages() {
  if (!ProductInstalled()) {
    LogStep("nothing of this product is installed");
    ShowMessageW(kNothingInstalledText, kProductCaption, MB_OK);
    return;
  }
  if (ShowMessageW(kUninstallQuestion, kProductCaption, MB_YESNO) != IDYES) {
    LogStep("the user chose not to uninstall");
    return;
  }
  const bool userData = ShowMessageW(kRemoveDataQuestion, kProductCaption, MB_YESNO) == IDYES;
  RunUninstall(userData);
  const int code = RunExitCode();
  ShowMessageW(code == kExitWhole              ? kUninstalledText
               : code == kExitRestartCompletes ? kUninstalledAfterRestartText
                                               : kNotUninstalledText,
               kProductCaption, MB_OK);
}

static void RunSilently() {
  if (!ProductInstalled()) {
    LogStep("nothing of this product is installed");
    return;
  }
  RunUninstall(false);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  StartRunLog(sizeof(void*) == 8 ? "lzqdel64.exe" : "lanzdel.exe", commandLine);
  if (ContainsNoCase(commandLine, "dellzsrf32")) {
    RunSilently();
  } else {
    RunWithMessages();
  }
  const int exitCode = RunExitCode();
  EndRunLog();
  return exitCode;
}
