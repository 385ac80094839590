#include "data/user_data.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "core/backup_list.h"
#include "core/container_walk.h"
#include "data/install_dir.h"
#include "payload/container_append.h"
#include "payload/extract_container.h"
#include "payload/file_replace.h"
#include "payload/verify_files.h"
#include "system/message_box.h"
#include "system/narrow_text.h"
#include "system/product_texts.h"
#include "system/state.h"

namespace {

constexpr char kBackupName[] = "lanzback.lzz";
// A file shorter than this holds no entry worth restoring.
constexpr long kMinBackupLength = 100;
constexpr DWORD kImageSlack = 200;
constexpr wchar_t kRestoredText[] = L"成功恢复了%d个原有数据文件！";
constexpr wchar_t kNotRestoredText[] = L"原有数据文件没有成功复制，原有数据不能使用！\r\n";
constexpr wchar_t kKeepDataQuestion[] = L"检测到安装目录下有智能岚舟以前的词组等数据文件，是否保留？";
constexpr char kReportSeparator[] = "\r\n\r\n";
// Room kept behind the verification's list for the separator and sentence.
constexpr std::size_t kReportTailRoom = 256;

// The narrow box that names the entries that did not come back (none when
// the backup was refused whole); `report` has room for the sentence behind.
void ShowNotRestored(char* report, std::size_t reportSize) {
  char sentence[kReportTailRoom - sizeof kReportSeparator];
  ToNarrow(kNotRestoredText, kGbkCodePage, sentence, sizeof sentence);
  const std::size_t used = strnlen(report, reportSize);
  std::snprintf(report + used, reportSize - used, "%s%s", used != 0 ? kReportSeparator : "",
                sentence);
  char caption[32];
  ToNarrow(kProductCaption, kGbkCodePage, caption, sizeof caption);
  ShowMessageA(report, caption, MB_OK);
}

void RestoreImage(const unsigned char* image, std::size_t length) {
  char* report = reinterpret_cast<char*>(WorkBuffer);
  report[0] = '\0';
  // A crafted backup of many entries would name each one in a box of its
  // own; one that counts more than the list holds is not unpacked at all.
  if (BackupCountAcceptable(StartWalk(image, length).entryCount)) {
    ExtractContainer(image, length, WorkBuffer, kWorkBufferSize);
    const unsigned passed = VerifyInstalledFiles(image, length, report,
                                                 kWorkBufferSize - kReportTailRoom, "");
    if (report[0] == '\0') {
      wchar_t text[64];
      std::swprintf(text, sizeof text / sizeof text[0], kRestoredText, static_cast<int>(passed));
      ShowMessageW(text, kProductCaption, MB_OK);
      return;
    }
  }
  ShowNotRestored(report, kWorkBufferSize);
}

// The backup itself; 1 when every pair and required file went in.
int SaveUserData() {
  ResolveInstallDir();
  // Nothing is read or written through a directory that is a link.
  if (InstallDirIsLink()) return 0;
  const InstalledPath container = InInstallDir(kBackupName);
  DeleteFileIfPresent(container.text);
  BackupRow rows[kMaxBackupRows];
  const std::size_t count = BackupRows(Edition == kPinyinEdition, rows);
  for (std::size_t i = 0; i < count; ++i) {
    const InstalledPath file = InInstallDir(rows[i].name);
    if (rows[i].kind == BackupKind::Pair) {
      // Without the working file, a companion already there is saved.
      char source[16];
      if (PairSource(rows[i].name, source, sizeof source)) {
        CopyFileA(InInstallDir(source).text, file.text, FALSE);
      }
    }
    const int appended = AppendFileToContainer(container.text, file.text);
    if (appended == 0 && rows[i].kind != BackupKind::Optional) return 0;
  }
  return 1;
}

}  // namespace

int BackupUserData() {
  const int saved = SaveUserData();
  OldDataState = saved != 0 ? kOldDataBackedUp : kOldDataNone;
  return saved;
}

void AskToKeepUserData() {
  if (OldDataState == kOldDataBackedUp &&
      ShowMessageW(kKeepDataQuestion, kInstallCaption, MB_YESNO) == IDYES) {
    OldDataState = kOldDataKeep;
  }
}

void RestoreUserData() {
  // The messages and the verification's list need the work buffer.
  if (WorkBuffer == nullptr) return;
  HFILE file = _lopen(InInstallDir(kBackupName).text, OF_READ);
  if (file == HFILE_ERROR) return;
  const LONG length = _llseek(file, 0, FILE_END);
  _llseek(file, 0, FILE_BEGIN);
  if (length < kMinBackupLength) {
    _lclose(file);
    return;
  }
  HGLOBAL memory = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, static_cast<DWORD>(length) + kImageSlack);
  if (memory == nullptr) {
    _lclose(file);
    return;
  }
  auto* image = static_cast<unsigned char*>(memory);
  const UINT read = _lread(file, image, static_cast<UINT>(length));
  _lclose(file);
  if (read != static_cast<UINT>(HFILE_ERROR) && read >= kMinBackupLength) {
    RestoreImage(image, read);
  }
  GlobalFree(memory);
}
