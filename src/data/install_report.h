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

// Checks the finished installation and shows its first problem in one
// narrow box. Returns 1 when it showed one, 0 when every check passed or it
// could not run.
int InstallReport();

// The diagnostic codes of the last report, one for each check it reached.
// Shown nowhere, not even with a problem: kept in memory for a future log.
constexpr std::size_t kReportCodesSize = kInstallDirSize + 100;
extern char ReportCodes[kReportCodesSize];
