// The generated entries: the same bytes on every run, the sizes and
// formats the installer and the IME rely on, and data that packs.
#include <gtest/gtest.h>
#include <zlib.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "binary_tables.h"
#include "entry_list.h"
#include "makers.h"
#include "text_tables.h"

namespace {

std::uint32_t U32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
unsigned U16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

class PayloadData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(ReadEntryList(LANZ_ENTRIES_TXT, entries_, error)) << error;
    for (const ListedEntry& entry : entries_) {
      if (IsBuiltElsewhere(entry)) continue;
      ASSERT_TRUE(MakeEntry(entry, 0, made_[entry.name], error)) << error;
    }
  }
  static const ListedEntry& Entry(const std::string& name) {
    for (const ListedEntry& entry : entries_) {
      if (entry.name == name) return entry;
    }
    throw std::runtime_error("not listed: " + name);
  }
  static std::vector<ListedEntry> entries_;
  static std::map<std::string, Bytes> made_;
};
std::vector<ListedEntry> PayloadData::entries_;
std::map<std::string, Bytes> PayloadData::made_;

TEST_F(PayloadData, EveryEntryComesOutTheSameTwice) {
  for (const ListedEntry& entry : entries_) {
    if (IsBuiltElsewhere(entry)) continue;
    Bytes again;
    std::string error;
    ASSERT_TRUE(MakeEntry(entry, 0, again, error)) << error;
    EXPECT_EQ(again, made_[entry.name]) << entry.name;
  }
}

TEST_F(PayloadData, SizesMatchTheListAndThePinyinDictionaryIsTheLargest) {
  std::size_t total = 0;
  for (const auto& [name, bytes] : made_) {
    total += bytes.size();
    if (name != "lanzpyck.lz1") {
      EXPECT_LT(bytes.size(), made_["lanzpyck.lz1"].size()) << name;
    }
    // Every sized maker's last argument is the size in bytes.
    const ListedEntry& entry = Entry(name);
    const bool sized = entry.maker == "words" || entry.maker == "chars" || entry.maker == "pairs" ||
                       entry.maker == "phrases" || entry.maker == "custom" || entry.maker == "symbols" ||
                       entry.maker == "index" || entry.maker == "fonts";
    if (sized) {
      EXPECT_EQ(bytes.size(), std::stoul(entry.args.back())) << name;
    }
    // The installer's report reads 20 bytes of each dictionary.
    EXPECT_GE(bytes.size(), 20u) << name;
  }
  EXPECT_EQ(made_["lanzpyck.lz1"].size(), 1833364u);
  // With the binaries the windows build adds (about 0.4 MB) the payload
  // comes to about 4.8 MiB.
  EXPECT_GT(total, 4200000u);
  EXPECT_LT(total, 4800000u);
}

TEST_F(PayloadData, TextFilesAreGbkLines) {
  for (const ListedEntry& entry : entries_) {
    const bool text = entry.maker == "words" || entry.maker == "chars" || entry.maker == "pairs" ||
                      entry.maker == "phrases" || entry.maker == "custom" || entry.maker == "symbols";
    if (!text) continue;
    const Bytes& bytes = made_[entry.name];
    EXPECT_TRUE(IsGbkLines(std::string(bytes.begin(), bytes.end()))) << entry.name;
  }
  EXPECT_FALSE(IsGbkLines("ab\r\n\xB0"));
  EXPECT_FALSE(IsGbkLines("ab\n"));
  EXPECT_FALSE(IsGbkLines("\xB0\x7F\r\n"));
}

// The container stores zlib streams, and its writer refuses a file larger
// than 8 KiB whose stream would be longer than the file.
TEST_F(PayloadData, EveryEntryCompresses) {
  std::size_t packed = 0;
  std::size_t plain = 0;
  for (const auto& [name, bytes] : made_) {
    uLongf length = compressBound(static_cast<uLong>(bytes.size()));
    Bytes stream(length);
    ASSERT_EQ(compress(stream.data(), &length, bytes.data(), static_cast<uLong>(bytes.size())), Z_OK);
    EXPECT_LT(length, bytes.size()) << name;
    packed += length;
    plain += bytes.size();
  }
  // Like text: well below the original, far from nothing.
  EXPECT_LT(packed, plain * 6 / 10);
  EXPECT_GT(packed, plain * 3 / 10);
}

TEST_F(PayloadData, SplashIsA401By310BottomUp24BitBmp) {
  const Bytes& bmp = made_["lzsr1.bmp"];
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 10), 54u);
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(U32(bmp, 18), 401u);
  EXPECT_EQ(U32(bmp, 22), 310u);  // positive: bottom-up
  EXPECT_EQ(U16(bmp, 26), 1u);
  EXPECT_EQ(U16(bmp, 28), 24u);
  EXPECT_EQ(U32(bmp, 30), 0u);
  EXPECT_EQ(bmp.size(), 54u + 1204u * 310u);  // rows padded to four bytes
  // The welcome page shows the top 400 x 190 (the last 190 rows stored):
  // that part must be a picture, not a flat fill.
  std::set<std::uint32_t> colours;
  for (int y = 0; y < 190; ++y) {
    const std::size_t row = 54 + static_cast<std::size_t>(309 - y) * 1204;
    for (int x = 0; x < 400; x += 7) {
      const std::size_t at = row + static_cast<std::size_t>(x) * 3;
      colours.insert(bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16);
    }
  }
  EXPECT_GT(colours.size(), 100u);
}

TEST_F(PayloadData, SettingsRecordsAreTwoHundredBytesWithTheDefaults) {
  for (const char* name : {"lzszsj43.lzh", "lzszsj05.lzh", "lzszsj06.lzh"}) {
    const Bytes& record = made_[name];
    ASSERT_EQ(record.size(), kSettingsRecordSize) << name;
    EXPECT_EQ(record[8], 54);
    for (int offset : {9, 10, 12, 15, 19, 22, 24, 36, 41, 54, 58}) EXPECT_EQ(record[offset], 1) << offset;
  }
  const Bytes& current = made_["lzszsj43.lzh"];
  int set = 0;
  for (std::uint8_t byte : current) set += byte != 0;
  EXPECT_EQ(set, 12);
}

TEST_F(PayloadData, SoundsArePcmWaves) {
  for (const ListedEntry& entry : entries_) {
    if (entry.maker != "sound") continue;
    const Bytes& wave = made_[entry.name];
    ASSERT_GE(wave.size(), 44u);
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(U32(wave, 4), wave.size() - 8);
    EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(U16(wave, 20), 1u);
    EXPECT_EQ(U32(wave, 40), wave.size() - 44) << entry.name;
    EXPECT_EQ(wave.size() - 44, 11025u * std::stoul(entry.args[1]) / 1000);
  }
}

// Each skin container must fit the 128 KiB that the installer reads of it.
TEST(SkinParts, EachSkinIsSmallAndDrawnInItsOwnColours) {
  std::vector<ListedEntry> parts;
  std::string error;
  ASSERT_TRUE(ReadEntryList(LANZ_SKIN_PARTS_TXT, parts, error)) << error;
  std::vector<Bytes> backgrounds;
  for (int skin = 1; skin <= 3; ++skin) {
    std::size_t packed = 0;
    for (const ListedEntry& part : parts) {
      Bytes bytes;
      ASSERT_TRUE(MakeEntry(part, skin, bytes, error)) << error;
      if (part.maker == "skinrecord") {
        EXPECT_EQ(bytes.size(), kSkinRecordSize);
      } else {
        EXPECT_EQ(bytes[0], 'B') << part.name;
      }
      if (part.name == parts[1].name) backgrounds.push_back(bytes);
      packed += 20 + compressBound(static_cast<uLong>(bytes.size()));
    }
    EXPECT_LT(packed, 131072u) << skin;
  }
  EXPECT_NE(backgrounds[0], backgrounds[1]);
  EXPECT_NE(backgrounds[1], backgrounds[2]);
}

}  // namespace
