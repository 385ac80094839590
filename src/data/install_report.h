#pragma once

#include <cstddef>

#include "core/install_dir_rules.h"
#include "core/report_rules.h"

// The installation directory as the report's survey found it.
struct InstallDirSurvey {
  int score;
  FileCounters files;
};

// Lists InstallDir (ending it in a backslash first), counts its files and
// scores it. Leaves InstallDir the current directory when it can be entered.
InstallDirSurvey SurveyInstallDir();

// Makes the report's checks of the finished installation without showing
// anything, and returns the first that failed (None when all passed). The
// log gets the diagnostic codes; a failing check leaves the run incomplete.
ReportCheck CheckInstallation();

// Checks the finished installation and shows its first problem in one
// narrow box. Returns 1 when it showed one, 0 when every check passed or it
// could not run.
int InstallReport();

// The diagnostic codes of the last check, one for each check it reached.
// Shown to nobody, not even with a problem; written to the run's log.
constexpr std::size_t kReportCodesSize = kInstallDirSize + 100;
extern char ReportCodes[kReportCodesSize];
