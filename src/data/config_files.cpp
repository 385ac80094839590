#include "data/config_files.h"

#include <windows.h>

#include <cstdio>

#include "data/install_dir.h"
#include "shell/run_state.h"

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

}  // namespace

void WriteConfigFiles() {
  ResolveInstallDir();
  // The IME reads the edition from this marker, terminator included.
  const char* marker = Edition == kPinyinEdition ? "LZWBPYBZ=1" : "LZWBPYBZ=0";
  WriteInstalledFile("wbpybz.lzh", marker, 11);

  char text[kConfigTextSize];
  const std::size_t length = BuildSiteAddressText(SiteAddress1, SiteAddress2, text);
  WriteInstalledFile("lznetsj.dat", text, length);
}
