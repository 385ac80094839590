#include "payload/install_files.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <initializer_list>

#include "data/install_dir.h"
#include "data/user_data.h"
#include "payload/extract_container.h"
#include "payload/file_replace.h"
#include "system/installed_files.h"
#include "system/message_box.h"
#include "system/platform.h"
#include "system/product_texts.h"
#include "system/run_result.h"
#include "system/state.h"
#include "system/system_entries.h"

namespace {

const PassPainter* Painter;

constexpr wchar_t kCopyFailedText[] =
    L"没有成功复制%s文件，请退出安装程序并手动删除该文件后重新安装！";

InstalledPath InDir(const char* dir, const char* name) {
  InstalledPath path;
  std::snprintf(path.text, sizeof path.text, "%s\\%s", dir, name);
  return path;
}

void ShowCopyFailed(const char* target) {
  NoteIncomplete("%s not copied", target);
  ShowGbkMessage(kCopyFailedText, target, kWubiInstallCaption, MB_OK);
}

// Copies over the target; a system file in use cannot be overwritten but can
// be renamed, so the replacing copy moves it aside and tries once more.
void CopyToSystem(const char* source, const char* target, bool renameAsideWhenInUse) {
  SetFileAttributesA(target, FILE_ATTRIBUTE_ARCHIVE);
  bool copied = CopyFileA(source, target, FALSE) != 0;
  if (!copied && renameAsideWhenInUse) {
    RenameAside(target);
    copied = CopyFileA(source, target, FALSE) != 0;
  }
  if (copied) {
    LogStep("%s copied to %s", source, target);
  } else {
    ShowCopyFailed(target);
  }
}

void ReplaceSystemModule(const char* source, const char* dir) {
  CopyToSystem(source, InDir(dir, "lanzhu4.ime").text, true);
}

// A file whose version cannot be raised is left as it was, whole.
void StampVersionOf(const char* path) {
  if (!StampImeVersion(path)) NoteIncomplete("the version of %s not raised to 7.3", path);
}

// The first-pass module of the code page's language, stamped with this
// version before it is copied.
InstalledPath StampedFirstPassModule(const char* simplified, const char* traditional) {
  InstalledPath module = InInstallDir(IsTraditionalChinese() ? traditional : simplified);
  StampVersionOf(module.text);
  return module;
}

void DeleteInInstallDir(const char* name) {
  const InstalledPath path = InInstallDir(name);
  SetFileAttributesA(path.text, FILE_ATTRIBUTE_ARCHIVE);
  DeleteFileIfPresent(path.text);
}

// Vista and later start the main program under its newer name.
void TakeNewMainProgram() {
  DeleteInInstallDir("lanzlzsr.exe");
  rename(InInstallDir("lanzznw6.exe").text, InInstallDir("lanzlzsr.exe").text);
}

void UnpackPayload() {
  DeleteInInstallDir("lanzznw6.exe");
  DeleteInInstallDir("lanzlzsr.exe");
  if (ExtractContainer(Payload, PayloadSize, WorkBuffer, WorkBuffer != nullptr ? kWorkBufferSize : 0) ==
      0) {
    wchar_t text[256];
    std::swprintf(text, sizeof text / sizeof text[0], L"文件解压不完整，请到智能岚舟网站%ls重新下载安装。",
                  kHomePageAddress);
    NoteIncomplete("the payload was not extracted whole");
    ShowGbkMessage(text, nullptr, kWubiInstallCaption, MB_OK);
    return;
  }
  LogStep("payload extracted into %s", InstallDir);
  AskToKeepUserData();
}

void CopyLocalTwins() {
  SetFileAttributesA(InInstallDir("lanzhu32.ime").text, FILE_ATTRIBUTE_ARCHIVE);
  CopyFileA(InInstallDir("lanzhu4.ime").text, InInstallDir("lanzhu32.ime").text, FALSE);
  CopyFileA(InInstallDir("lanzcyzk.lz1").text, InInstallDir("lanzcyzk.lzu").text, FALSE);
  CopyFileA(InInstallDir("lanzpyck.lz1").text, InInstallDir("lanzpyck.lzu").text, FALSE);
}

// 64-bit Windows: the 32-bit module goes to SysWOW64, the 64-bit one to the
// real system directory, which this 32-bit program reaches only through its
// alias: the plain system path would be redirected onto the 32-bit copy.
void PlaceModules64(bool secondPass) {
  char sysWow64[kDirBufferSize];
  GetSysWow64Dir(sysWow64);
  char nativeSystem[kDirBufferSize];
  GetNativeSystemDir(nativeSystem);

  ReplaceSystemModule(secondPass ? InInstallDir("lanzhu32.ime").text
                                 : StampedFirstPassModule("lanz320.ime", "lanz321.ime").text,
                      sysWow64);
  ReplaceSystemModule(secondPass ? InInstallDir("lanzhu64.ime").text
                                 : StampedFirstPassModule("lanz640.ime", "lanz641.ime").text,
                      nativeSystem);
  if (secondPass) return;
  CopyToSystem(InInstallDir("lzqdel64.exe").text, InDir(nativeSystem, "lanzdel.exe").text, false);
  TakeNewMainProgram();
}

void PlaceModules32(bool secondPass) {
  const bool vistaOrLater = WindowsMajorVersion > 5;
  InstalledPath source;
  if (secondPass) {
    source = InInstallDir(vistaOrLater ? "lanzhu32.ime" : "lanzhu4.ime");
  } else {
    if (vistaOrLater) TakeNewMainProgram();
    source = StampedFirstPassModule("lanz320.ime", "lanz321.ime");
  }
  GetSystemDirectoryA(SharedDirBuffer, sizeof SharedDirBuffer);
  ReplaceSystemModule(source.text, SharedDirBuffer);
  if (secondPass) return;
  GetSystemDirectoryA(SharedDirBuffer, sizeof SharedDirBuffer);
  CopyToSystem(InInstallDir("lanzdel.exe").text, InDir(SharedDirBuffer, "lanzdel.exe").text, false);
}

// A short pause lets the user see the page repainted with the pass's
// progress. Without a painter nothing is drawn, so nothing pauses either.
void PauseToShowProgress() {
  if (Painter != nullptr) Sleep(50);
}

void RepaintPage() {
  if (Painter != nullptr) Painter->repaintPage();
}

}  // namespace

void SetPassPainter(const PassPainter* painter) { Painter = painter; }

void InstallFiles(bool secondPass) {
  CreateDirectoryA(InstallDir, nullptr);
  const bool windows64 = IsWindows64();
  if (WindowsMajorVersion > 5) MarkLowIntegrity();
  RepaintPage();
  PauseToShowProgress();
  if (!secondPass) UnpackPayload();
  RepaintPage();
  CopyLocalTwins();
  PauseToShowProgress();
  if (Painter != nullptr) Painter->drawProgress(0, 64);

  if (windows64) {
    PlaceModules64(secondPass);
  } else {
    PlaceModules32(secondPass);
  }

  if (!secondPass) {
    StampVersionOf(InInstallDir("setupw64.exe").text);
    LogStep("uninstall entry %s", WriteUninstallEntry() ? "written" : "not written");
    LogStep("first file pass done");
    return;
  }
  for (const char* firstPass : {"lanz320.ime", "lanz321.ime", "lanz640.ime", "lanz641.ime"}) {
    DeleteFileIfPresent(InInstallDir(firstPass).text);
  }
  LogStep("second file pass done");
}
