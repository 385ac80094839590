#include "binary_tables.h"

#include "hanzi.h"

namespace {

const std::vector<Hanzi>& Repertoire(const std::string& name) {
  return name == "gbk" ? GbkHanzi() : Gb2312Hanzi();
}

}  // namespace

Bytes IndexTable(RandomSource& random, std::size_t size) {
  constexpr std::size_t kHeader = 8;
  constexpr std::size_t kRecord = 8;
  const std::size_t count = size < kHeader ? 0 : (size - kHeader) / kRecord;
  const std::vector<Hanzi>& pool = CommonHanzi();
  Bytes out;
  PutText(out, "LZIX");
  Put32(out, static_cast<std::uint32_t>(count));
  std::uint32_t offset = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned entries = 1 + random.Skewed(40);
    Put32(out, offset);
    Put16(out, pool[i % pool.size()]);
    Put16(out, entries);
    offset += entries * 12;
  }
  PadTo(out, size);
  return out;
}

Bytes StrokeTable(RandomSource& random, const std::string& repertoire) {
  const std::vector<Hanzi>& pool = Repertoire(repertoire);
  Bytes out;
  PutText(out, "LZBH");
  Put32(out, static_cast<std::uint32_t>(pool.size()));
  for (Hanzi hanzi : pool) {
    Put16(out, hanzi);
    Put8(out, 2 + random.Skewed(22));
    Put8(out, 1 + random.Below(5));
  }
  return out;
}

Bytes FontSettings(RandomSource& random, std::size_t size) {
  static const char* const kFaces[] = {"SimSun", "KaiTi", "SimHei", "FangSong", "Tahoma"};
  constexpr std::size_t kRecord = 64;
  Bytes out;
  for (std::size_t i = 0; (i + 1) * kRecord <= size; ++i) {
    Bytes record;
    Put32(record, 12 + 2 * random.Below(8));
    Put32(record, 0);
    Put32(record, random.Below(2) == 0 ? 400 : 700);
    Put8(record, 0);
    Put8(record, 134);
    Put16(record, 0);
    Put32(record, 0x00FFFFFFu & static_cast<std::uint32_t>(random.Next()));
    PutText(record, kFaces[i % (sizeof kFaces / sizeof kFaces[0])]);
    PadTo(record, kRecord);
    out.insert(out.end(), record.begin(), record.end());
  }
  PadTo(out, size);
  return out;
}

Bytes SettingsRecord(RandomSource& random, int version) {
  Bytes record(kSettingsRecordSize, 0);
  record[8] = 54;
  for (int offset : {9, 10, 12, 15, 19, 22, 24, 36, 41, 54, 58}) record[offset] = 1;
  if (version != 43) {
    for (int i = 0; i < 12; ++i) record[100 + random.Below(100)] = static_cast<std::uint8_t>(1 + random.Below(9));
  }
  return record;
}

Bytes SkinRecord(int skin) {
  static const char* const kNames[] = {"bingchuan", "nuancheng", "xiaoxingchen"};
  Bytes out;
  PutText(out, "LZPF");
  Put16(out, 0x0703);
  Put16(out, static_cast<unsigned>(skin));
  PutText(out, kNames[skin >= 1 && skin <= 3 ? skin - 1 : 0]);
  PadTo(out, 32);
  // Seven picture slots (left, top, width, height) and a colour ramp.
  for (unsigned slot = 0; slot < 7; ++slot) {
    Put16(out, slot * 24);
    Put16(out, slot * 8);
    Put16(out, 24 + slot * 16);
    Put16(out, 16 + slot * 4);
  }
  for (unsigned step = 0; step < 64; ++step) {
    const unsigned shade = step * 4;
    Put32(out, skin == 2 ? (shade << 16 | shade / 2 << 8 | 0x40) : (0x40 << 16 | shade / 2 << 8 | shade));
  }
  PadTo(out, kSkinRecordSize);
  return out;
}
