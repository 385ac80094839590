#include "data/install_report.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "data/install_dir.h"
#include "system/installed_files.h"
#include "system/message_box.h"
#include "system/narrow_text.h"
#include "system/product_texts.h"
#include "system/run_result.h"

char ReportCodes[kReportCodesSize];

namespace {

constexpr wchar_t kTitle[] = L"智能岚舟汉字输入系统7.3版安装情况报告。";
constexpr wchar_t kLeadIn[] = L"安装出现错误！错误为：";
constexpr wchar_t kAdviceBefore[] = L"请到主页";
constexpr wchar_t kAdviceAfter[] = L"重新下载安装！并解除杀毒软件对安装过程的拦截！";
constexpr wchar_t kCaption[] = L"智能岚舟7.3";
constexpr wchar_t kSeparator[] = L"\r\n\r\n";
constexpr SIZE_T kScratchSize = 69376;
constexpr DWORD kDirectoryOnly = FILE_ATTRIBUTE_DIRECTORY;

const wchar_t* FailureSentence(ReportCheck check) {
  switch (check) {
    case ReportCheck::Directory:
      return L"检测不到安装路径！";
    case ReportCheck::FileCount:
      return L"文件不完整！";
    case ReportCheck::WubiDictionary:
      return L"无五笔词库文件！";
    case ReportCheck::PinyinDictionary:
      return L"无拼音词库文件！";
    default:
      return L"缺少文件！";
  }
}

// What the log says of a failing check.
const char* CheckName(ReportCheck check) {
  switch (check) {
    case ReportCheck::Directory:
      return "the installation directory is not there whole";
    case ReportCheck::FileCount:
      return "too few files in the installation directory";
    case ReportCheck::WubiDictionary:
      return "no readable Wubi dictionary";
    case ReportCheck::PinyinDictionary:
      return "no readable Pinyin dictionary";
    default:
      return "no readable lanzhu4.ime";
  }
}

int ProbeHead(const char* name, void*) {
  char head[20];
  return ReadFileHead(name, head);
}

// Title, empty line, lead-in and sentence, empty line, advice with the home
// page address, empty line: narrow GBK in the scratch block.
void ShowReport(ReportCheck check, char* text, std::size_t size) {
  wchar_t wide[512];
  std::swprintf(wide, sizeof wide / sizeof wide[0], L"%ls%ls%ls%ls%ls%ls%ls%ls%ls", kTitle,
                kSeparator, kLeadIn, FailureSentence(check), kSeparator, kAdviceBefore,
                kHomePageAddress, kAdviceAfter, kSeparator);
  ToNarrow(wide, kGbkCodePage, text, size);
  char caption[32];
  ToNarrow(kCaption, kGbkCodePage, caption, sizeof caption);
  ShowMessageA(text, caption, MB_OK);
}

}  // namespace

InstallDirSurvey SurveyInstallDir() {
  InstallDirSurvey survey{};
  if (InstallDir[0] != '\0') AppendInstallDirBackslash();
  char pattern[MAX_PATH];
  std::snprintf(pattern, sizeof pattern, "%s*.*", InstallDir);
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(pattern, &found);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      survey.score = kDirListedScore;
      if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) {
        continue;
      }
      // A directory that can be entered is no file; one that cannot counts.
      if (SetCurrentDirectoryA(InInstallDir(found.cFileName).text)) continue;
      CountSurveyedFile(survey.files, found.cFileName);
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
  }
  if (SetCurrentDirectoryA(InstallDir)) survey.score += kDirEnteredScore;
  if (GetFileAttributesA(InstallDir) == kDirectoryOnly) survey.score += kDirPlainAttributesScore;
  return survey;
}

ReportCheck CheckInstallation() {
  const InstallDirSurvey survey = SurveyInstallDir();
  const ReportCheck failing = FirstFailingCheck(InstallDir, survey.score, FileCount(survey.files),
                                                ProbeHead, nullptr, ReportCodes, sizeof ReportCodes);
  LogStep("installation checks: %s", ReportCodes);
  if (failing != ReportCheck::None) NoteIncomplete("installation check: %s", CheckName(failing));
  return failing;
}

int InstallReport() {
  HGLOBAL scratch = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, kScratchSize);
  if (scratch == nullptr) return 0;
  const ReportCheck failing = CheckInstallation();
  if (failing != ReportCheck::None) {
    ShowReport(failing, static_cast<char*>(scratch), kScratchSize);
  }
  GlobalFree(scratch);
  return failing != ReportCheck::None ? 1 : 0;
}
