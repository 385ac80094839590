#pragma once

#include <cstddef>
#include <string>

#include "byte_sink.h"
#include "random_source.h"

// The binary files of the IME. Layouts are the IME's own business; these
// give each file a plausible, compressible structure and the right size.

// "LZIX", record count, then 8-byte records (offset, character, count) with
// rising offsets; zero-padded to `size`.
Bytes IndexTable(RandomSource& random, std::size_t size);
// "LZBH", character count, then per character its GBK code, stroke count
// and first-stroke class: repertoire "gb2312" or "gbk".
Bytes StrokeTable(RandomSource& random, const std::string& repertoire);
// 64-byte font records (height, width, weight, charset 134, colour, face).
Bytes FontSettings(RandomSource& random, std::size_t size);
// A 200-byte settings record. Record 43 is the IME's current one and holds
// its defaults; the others are older layouts with a few more bytes set.
Bytes SettingsRecord(RandomSource& random, int version);
// The 4096-byte record at the head of every skin container.
Bytes SkinRecord(int skin);

constexpr std::size_t kSettingsRecordSize = 200;
constexpr std::size_t kSkinRecordSize = 4096;
