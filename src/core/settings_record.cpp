#include "core/settings_record.h"

#include <cstring>
#include <initializer_list>

void DefaultSettingsRecord(std::uint8_t (&record)[kSettingsRecordSize]) {
  std::memset(record, 0, sizeof record);
  record[8] = 54;
  for (int offset : {9, 10, 12, 15, 19, 22, 24, 36, 41, 54, 58}) record[offset] = 1;
}

void AdjustSettingsRecord(std::uint8_t (&record)[kSettingsRecordSize], bool traditional,
                          bool pinyinEdition, int windowMode) {
  if (traditional) record[15] = 1;
  record[62] = 0;
  record[63] = 0;
  record[1] = 1;
  if (pinyinEdition) {
    record[19] = 1;
    record[22] = 0;
    record[25] = 1;
    std::memset(record + 27, 0, 9);
    std::memset(record + 66, 0, 4);
    record[36] = 0;
    record[42] = 0;
    record[75] = 1;
    record[80] = 10;
  }
  // The status-window codes of the IME: dual and Windows-like are crossed
  // with respect to the dialog's numbering.
  switch (windowMode) {
    case 2:
      record[0] = 1;
      record[21] = 0;
      break;
    case 3:
      record[0] = 4;
      record[21] = 1;
      break;
    case 4:
      record[0] = 3;
      record[21] = 1;
      break;
    default:
      record[0] = 0;
      record[21] = 0;
      break;
  }
}
