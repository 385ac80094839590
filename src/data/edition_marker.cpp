#include "data/edition_marker.h"

#include <windows.h>

#include <cstring>

#include "data/install_dir.h"

bool HoldsEditionMarker() {
  HFILE file = _lopen(InInstallDir(kEditionMarkerName).text, OF_READ);
  if (file == HFILE_ERROR) return false;
  // One byte more than a marker: a longer file is no marker.
  char bytes[sizeof kWubiMarker + 1] = {};
  const UINT length = _lread(file, bytes, sizeof bytes);
  _lclose(file);
  return length == sizeof kWubiMarker && (std::memcmp(bytes, kWubiMarker, length) == 0 ||
                                          std::memcmp(bytes, kPinyinMarker, length) == 0);
}
