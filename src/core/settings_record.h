#pragma once

#include <cstddef>
#include <cstdint>

// The IME's 200-byte settings record ("lzszsj43.lzh"). The installer changes
// single bytes and passes every other byte through.
constexpr std::size_t kSettingsRecordSize = 200;

// The record the installer starts from when the file cannot be read.
void DefaultSettingsRecord(std::uint8_t (&record)[kSettingsRecordSize]);

// Applies the installation's choices: the traditional-Chinese flag, the
// Pinyin edition's defaults and the status-window mode (1 two-line,
// 2 single-line, 3 dual, 4 Windows-like).
void AdjustSettingsRecord(std::uint8_t (&record)[kSettingsRecordSize], bool traditional,
                          bool pinyinEdition, int windowMode);
