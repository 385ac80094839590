#include "payload/finish_install.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "data/config_files.h"
#include "data/install_dir.h"
#include "data/user_data.h"
#include "payload/skin_dialog.h"
#include "payload/verify_files.h"
#include "system/message_box.h"
#include "system/narrow_text.h"
#include "system/product_texts.h"
#include "system/state.h"

namespace {

constexpr wchar_t kPayloadFailedLine[] = L"上述文件没有成功复制，请重新下载安装！\r\n";
constexpr wchar_t kSkinFailedLine[] = L"皮肤文件没有成功复制，请重新安装皮肤文件！\r\n";
constexpr wchar_t kSkinContainerFormats[][16] = {L"%s冰川蓝调.lzz", L"%s暖橙釉面.lzz",
                                                 L"%s小星辰.lzz"};

// Where the work buffer holds what this step builds: the exclusion list at
// its start, the payload report from 4096 on, and for the skin check the
// container at the start and its report right after it.
constexpr std::size_t kReportOffset = 4096;
constexpr std::size_t kReportSize = 16384;

void Append(char* report, std::size_t reportSize, const char* text) {
  const std::size_t used = strnlen(report, reportSize);
  std::snprintf(report + used, reportSize - used, "%s", text);
}

void AppendLine(char* report, std::size_t reportSize, const wchar_t* line) {
  char narrow[128];
  ToNarrow(line, kGbkCodePage, narrow, sizeof narrow);
  Append(report, reportSize, narrow);
}

void ShowReport(const char* report) {
  char caption[32];
  ToNarrow(kProductCaption, kGbkCodePage, caption, sizeof caption);
  ShowMessageA(report, caption, MB_OK);
}

// The skin container of SkinChoice in InstallDir; any choice other than 2 or
// 3 is the first skin.
void SkinContainerPath(char (&path)[MAX_PATH]) {
  const int index = SkinChoice == 2 || SkinChoice == 3 ? SkinChoice - 1 : 0;
  char format[64];
  ToNarrow(kSkinContainerFormats[index], kGbkCodePage, format, sizeof format);
  char* slot = std::strstr(format, "%s");
  *slot = '\0';
  std::snprintf(path, sizeof path, "%s%s%s", format, InstallDir, slot + 2);
}

}  // namespace

void FinishFileInstall(HWND owner) {
  if (WorkBuffer == nullptr) return;
  char* exclusions = reinterpret_cast<char*>(WorkBuffer);
  std::memcpy(exclusions, kPayloadUncheckedFiles, sizeof kPayloadUncheckedFiles);
  char* report = reinterpret_cast<char*>(WorkBuffer + kReportOffset);
  VerifyInstalledFiles(Payload, PayloadSize, report, kReportSize, exclusions);
  if (report[0] != '\0') {
    Append(report, kReportSize, "\r\n\r\n");
    AppendLine(report, kReportSize, kPayloadFailedLine);
    ShowReport(report);
  }
  if (OldDataState == kOldDataKeep) return;

  RunSkinDialog(owner);
  char path[MAX_PATH];
  SkinContainerPath(path);
  UnpackSkin(path);

  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) {
    // UnpackSkin could not open the container either, so it left the
    // payload report in the work buffer untouched.
    AppendLine(report, kReportSize, kSkinFailedLine);
    ShowReport(report);
    return;
  }
  const UINT read = _lread(file, WorkBuffer, kSkinContainerLimit);
  _lclose(file);
  const std::size_t length = read == static_cast<UINT>(HFILE_ERROR) ? 0 : read;
  char* skinReport = reinterpret_cast<char*>(WorkBuffer + length);
  VerifyInstalledFiles(WorkBuffer, length, skinReport, kReportSize, "");
  if (skinReport[0] != '\0') {
    Append(skinReport, kReportSize, "\r\n\r\n");
    AppendLine(skinReport, kReportSize, kSkinFailedLine);
    ShowReport(skinReport);
  }
}
