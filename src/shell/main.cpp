#include <windows.h>

#include <cstring>

#include "core/install_dir_rules.h"
#include "core/text_match.h"
#include "data/install_dir.h"
#include "data/install_report.h"
#include "shell/payload_memory.h"
#include "shell/texts.h"
#include "shell/wizard_window.h"
#include "system/admin_probe.h"
#include "system/ime_registration.h"
#include "system/install_sequence.h"
#include "system/message_box.h"
#include "system/narrow_text.h"
#include "system/platform.h"
#include "system/product_texts.h"
#include "system/run_result.h"
#include "system/state.h"

// Registration mode: the directory comes from "reglz32=" when the command line
// carries it in exactly that form and it is a directory as persisting writes
// it; else the one resolved at start stays.
static void RunRegistrationMode(const char* commandLine) {
  const char* argument = RegistrationDirArgument(commandLine);
  char dir[kInstallDirSize];
  if (argument != nullptr) {
    if (AcceptDirRecord(argument, std::strlen(argument), AnsiLeadBytes(), dir)) {
      SetInstallDir(dir);
    } else {
      LogStep("reglz32= names no installation directory: %s stays", InstallDir);
    }
  }
  PersistInstallDir();
  // The input-method manager may refuse the module without saying why; the
  // message stays the same, as the user can do nothing else than restart.
  InstallIme();
  ShowMessageW(kRegisteredText, kProductCaption, MB_OK);
}

// Silent mode has no window to own the payload and the work buffer, so it
// takes them itself for the one installation it runs. Nobody may be there to
// answer a box: what it decides itself goes to the exit code and the log.
// The window mode's report is checked too, without being shown.
static void RunSilentMode() {
  AcquirePayloadMemory();
  if (Payload == nullptr) {
    NoteIncomplete("the installer holds no payload");
  } else if (WorkBuffer == nullptr) {
    NoteIncomplete("no memory for the work buffer");
  } else if (InstallDirIsLink()) {
    LogStep("%s is a link or junction", InstallDir);
    NoteIncomplete("the installation directory is a link");
  } else {
    RunInstall(nullptr);
    if (RestartFlag == 0) CheckInstallation();
  }
  ReleasePayloadMemory();
}

static void RunMessageLoop() {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// `commandLine` holds no log argument: a log path never picks the mode.
static int RunChosenMode(HINSTANCE instance, const char* commandLine, int showCommand) {
  OemCodePage = static_cast<int>(GetOEMCP());
  RunMode = kWindowMode;
  ResolveInstallDir();
  if (LacksAdminRights()) {
    NoteIncomplete("no administrator rights");
    // Only the silent mode tells a deployment tool, by its exit code; a
    // person is told in a box.
    if (!ContainsNoCase(commandLine, "reglz32") && ContainsNoCase(commandLine, "setlzsrf32")) {
      return RunExitCode();
    }
    ShowMessageW(kLacksAdminText, kProductCaption, MB_OK);
    return 0;
  }

  RegistrationFlag = 0;
  if (ContainsNoCase(commandLine, "reglz32")) {
    RegistrationFlag = kRegistrationRequested;
  } else if (ContainsNoCase(commandLine, "setlzsrf32")) {
    RunMode = kSilentMode;
  }
  if (IsWindows64() && RegistrationFlag == kRegistrationRequested) {
    RunRegistrationMode(commandLine);
    return 0;
  }
  if (RunMode == kSilentMode) {
    RunSilentMode();
    return RunExitCode();
  }

  if (!RegisterWizardClass(instance)) return 0;
  if (!CreateWizardWindow(instance, showCommand)) return 0;
  RunMessageLoop();
  return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  StartRunLog("setup.exe", commandLine);
  const int exitCode = RunChosenMode(instance, commandLine, showCommand);
  EndRunLog();
  return exitCode;
}
