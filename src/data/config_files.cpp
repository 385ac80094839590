#include "data/config_files.h"

#include <windows.h>

#include "core/settings_record.h"
#include "data/edition_marker.h"
#include "data/install_dir.h"
#include "data/user_data.h"
#include "payload/extract_container.h"
#include "payload/skin_dialog.h"
#include "system/state.h"
#include "system/whole_file.h"

#include <cstdio>

namespace {

bool WriteInstalledFile(const char* name, const char* bytes, std::size_t length) {
  return WriteFileWhole(InInstallDir(name).text, bytes, length);
}

// Reads at most `size` bytes of an installed file; 0 when it cannot be opened.
std::size_t ReadInstalledFile(const char* path, void* bytes, std::size_t size) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return 0;
  const UINT read = _lread(file, bytes, static_cast<UINT>(size));
  _lclose(file);
  return read == static_cast<UINT>(HFILE_ERROR) ? 0 : read;
}

}  // namespace

void ReadSiteAddresses() {
  ResolveInstallDir();
  // A missing file reads as no bytes: both addresses empty.
  std::uint8_t text[kConfigTextSize];
  const std::size_t length = ReadInstalledFile(InInstallDir("lznetsj.dat").text, text, sizeof text);
  SiteAddressesOfText(text, length, SiteAddress1, SiteAddress2);
}

void TakeSiteAddresses(const char* organisationSite, const char* governmentSite) {
  std::snprintf(SiteAddress1, sizeof SiteAddress1, "%s", organisationSite);
  std::snprintf(SiteAddress2, sizeof SiteAddress2, "%s", governmentSite);
}

bool WriteConfigFiles() {
  ResolveInstallDir();
  const char* marker = Edition == kPinyinEdition ? kPinyinMarker : kWubiMarker;
  const bool marked = WriteInstalledFile(kEditionMarkerName, marker, sizeof kWubiMarker);

  char text[kConfigTextSize];
  const std::size_t length = BuildSiteAddressText(SiteAddress1, SiteAddress2, text);
  return WriteInstalledFile("lznetsj.dat", text, length) && marked;
}

bool WriteSettingsRecord() {
  if (OldDataState == kOldDataKeep) return true;
  const InstalledPath path = InInstallDir("lzszsj43.lzh");
  std::uint8_t record[kSettingsRecordSize];
  DefaultSettingsRecord(record);
  ReadInstalledFile(path.text, record, sizeof record);
  AdjustSettingsRecord(record, IsTraditionalChinese(), Edition == kPinyinEdition, WindowMode);
  return WriteFileWhole(path.text, record, sizeof record);
}

void UnpackSkin(const char* path) {
  if (OldDataState == kOldDataKeep || WorkBuffer == nullptr) return;
  const std::size_t length = ReadInstalledFile(path, WorkBuffer, kSkinContainerLimit);
  if (length == 0) return;
  ExtractContainer(WorkBuffer, length, WorkBuffer + kSkinContainerLimit,
                   kWorkBufferSize - kSkinContainerLimit);
}
