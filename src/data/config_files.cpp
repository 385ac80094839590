#include "data/config_files.h"

#include <windows.h>

#include <cstdio>

#include "core/settings_record.h"
#include "data/edition_marker.h"
#include "data/install_dir.h"
#include "data/user_data.h"
#include "payload/extract_container.h"
#include "payload/skin_dialog.h"
#include "shell/payload_memory.h"
#include "shell/run_state.h"
#include "shell/wizard_window.h"

char SiteAddress1[kSiteAddressSize];
char SiteAddress2[kSiteAddressSize];

namespace {

void WriteInstalledFile(const char* name, const char* bytes, std::size_t length) {
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%s%s", InstallDir, name);
  HFILE file = _lcreat(path, 0);
  if (file == HFILE_ERROR) return;
  _lwrite(file, bytes, static_cast<UINT>(length));
  _lclose(file);
}

// Reads at most `size` bytes of an installed file; 0 when it cannot be opened.
std::size_t ReadInstalledFile(const char* path, void* bytes, std::size_t size) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return 0;
  const UINT read = _lread(file, bytes, static_cast<UINT>(size));
  _lclose(file);
  return read == static_cast<UINT>(HFILE_ERROR) ? 0 : read;
}

void FillSiteAddress(const std::uint8_t* text, const char* key, char (&address)[kSiteAddressSize],
                     HWND line) {
  char value[kKeyValueSize];
  FindKeyValue(text, kConfigTextSize, key, value);
  CopySiteAddress(value, address);
  SetWindowTextA(line, address);
}

}  // namespace

void ReadSiteAddresses() {
  ResolveInstallDir();
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%slznetsj.dat", InstallDir);
  // Zero-filled: the scan reads the whole buffer whatever the file's length,
  // and a missing file leaves both addresses empty.
  std::uint8_t text[kConfigTextSize] = {};
  ReadInstalledFile(path, text, sizeof text);
  FillSiteAddress(text, "LZNETURL1=", SiteAddress1, SiteLine1);
  FillSiteAddress(text, "LZNETURL2=", SiteAddress2, SiteLine2);
}

void WriteConfigFiles() {
  ResolveInstallDir();
  const char* marker = Edition == kPinyinEdition ? kPinyinMarker : kWubiMarker;
  WriteInstalledFile(kEditionMarkerName, marker, sizeof kWubiMarker);

  char text[kConfigTextSize];
  const std::size_t length = BuildSiteAddressText(SiteAddress1, SiteAddress2, text);
  WriteInstalledFile("lznetsj.dat", text, length);
}

void WriteSettingsRecord() {
  if (OldDataState == kOldDataKeep) return;
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%slzszsj43.lzh", InstallDir);
  std::uint8_t record[kSettingsRecordSize];
  DefaultSettingsRecord(record);
  ReadInstalledFile(path, record, sizeof record);
  AdjustSettingsRecord(record, IsTraditionalChinese(), Edition == kPinyinEdition, WindowMode);
  HFILE file = _lcreat(path, 0);
  if (file == HFILE_ERROR) return;
  _lwrite(file, reinterpret_cast<const char*>(record), sizeof record);
  _lclose(file);
}

void UnpackSkin(const char* path) {
  if (OldDataState == kOldDataKeep || WorkBuffer == nullptr) return;
  const std::size_t length = ReadInstalledFile(path, WorkBuffer, kSkinContainerLimit);
  if (length == 0) return;
  ExtractContainer(WorkBuffer, length, WorkBuffer + kSkinContainerLimit,
                   kWorkBufferSize - kSkinContainerLimit);
}
