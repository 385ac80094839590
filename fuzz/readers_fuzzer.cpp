// Any bytes given to a reader of bytes that others can write or place. The
// build makes one fuzzer of each reader below, chosen by LANZ_READER.

#include "core/bmp_picture.h"
#include "core/container_format.h"
#include "core/entry_stream.h"
#include "core/extraction_plan.h"
#include "core/install_dir_rules.h"
#include "core/key_value.h"
#include "core/version_stamp.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool holds) { if (!holds) std::abort(); }

// A believed record is a directory the path page accepts, ending in its
// backslash, that persisting leaves as it is; else `dir` stays untouched.
// The same bytes as a path line, cut to the buffer, persist within it.
void CheckDirRecord(const char* bytes, std::size_t length, const LeadBytes& leads) {
  char line[kInstallDirSize] = {};
  std::memcpy(line, bytes, std::min(length, kInstallDirMaxChars));
  const int accepted = CheckInstallDir(line, leads);
  AppendDirBackslash(line, leads);
  Check(line[kInstallDirMaxChars] == '\0' && (accepted == 0 || CheckInstallDir(line, leads) == 1));
  StripDirBackslash(line, leads);
  char dir[kInstallDirSize];
  std::memset(dir, 'x', sizeof dir);
  if (!AcceptDirRecord(bytes, length, leads, dir)) {
    return Check(std::string(dir, sizeof dir) == std::string(sizeof dir, 'x'));
  }
  Check(std::string(dir) == std::string(bytes, length) && CheckInstallDir(dir, leads) == 1 &&
        LastBackslash(dir, leads) == dir + length - 1);
  AppendDirBackslash(dir, leads);
  Check(std::string(dir) == std::string(bytes, length));
}

}  // namespace

namespace reader {

// The walk stays inside the bytes, every entry inflates within its room, and
// a planned target is the directory followed by the entry's plain name.
inline void container_walk(const std::uint8_t* data, std::size_t size) {
  static std::vector<std::uint8_t> work(64 * 1024);
  ContainerWalk walk = StartWalk(data, size);
  ContainerEntry entry{};
  std::size_t end = kContainerHeaderSize;
  while (NextEntry(walk, entry)) {
    Check(entry.headerOffset == end && entry.stream + entry.streamLength <= data + size);
    end = static_cast<std::size_t>(entry.stream + entry.streamLength - data);
    std::size_t length = 0;
    InflateEntry(entry.stream, entry.streamLength, work.data(), work.size(), length);
    char target[kTargetPathSize];
    Check(length <= work.size() &&
          (EntryTargetPath("c:\\lanzhu2\\", entry, target)
               ? std::string("c:\\lanzhu2\\") + entry.name == target && IsPlainFileName(entry.name)
               : target[0] == '\0'));
  }
  Check(walk.walked <= walk.entryCount && (walk.endedEarly || walk.walked == walk.entryCount));
}

// The first byte is the registry type (0 for the path file), the rest the record.
inline void dir_record(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  std::size_t length = size - 1;
  if (data[0] != 0 && !RegistryValueText(data[0], bytes, length)) return;
  LeadBytes doubleByte{};
  for (int value = 0x81; value <= 0xFE; ++value) doubleByte.lead[value] = true;
  CheckDirRecord(bytes, length, doubleByte);
  CheckDirRecord(bytes, length, LeadBytes{});
}

// The first byte gives the key's length, the key follows, then the text: a
// value holds only bytes above 32 and follows the key in the text.
inline void key_value(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const std::size_t keyLength = std::min<std::size_t>(data[0] % 16, size - 1);
  const std::string key(reinterpret_cast<const char*>(data + 1), keyLength);
  const std::string text(reinterpret_cast<const char*>(data + 1 + keyLength), size - 1 - keyLength);
  char value[kKeyValueSize];
  std::memset(value, 'x', sizeof value);
  FindKeyValue(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), key.c_str(), value);
  Check(std::memchr(value, '\0', sizeof value) != nullptr);
  for (const char* at = value; *at != '\0'; ++at) Check(static_cast<unsigned char>(*at) > 32);
  Check(value[0] == '\0' || text.find(key.c_str() + std::string(value)) != std::string::npos);
}

// Each address the page shows ends inside its buffer.
inline void site_address(const std::uint8_t* data, std::size_t size) {
  char first[kSiteAddressSize], second[kSiteAddressSize];
  std::memset(first, 'x', sizeof first);
  std::memset(second, 'x', sizeof second);
  SiteAddressesOfText(data, size, first, second);
  Check(std::memchr(first, '\0', sizeof first) && std::memchr(second, '\0', sizeof second));
}

// An accepted header gives GDI only what lies inside the bytes (the colours
// it counts, else a full table up to 8 bits; every row), and the welcome
// page's clipped draws take their source from inside the picture.
inline void bmp_header(const std::uint8_t* data, std::size_t size) {
  BmpPicture picture;
  if (!ReadBmpPicture(data, size, &picture)) return;
  const unsigned bits = data[28] | data[29] << 8;
  const std::uint64_t used = ReadU32le(data + 46);
  const std::uint64_t colours = used != 0 ? used : bits <= 8 ? 1u << bits : 0;
  Check(14 + std::uint64_t{ReadU32le(data + 14)} + 4 * colours <= picture.bitsOffset &&
        picture.bitsOffset + (std::uint64_t{picture.width} * bits + 31) / 32 * 4 * picture.height <=
            size);
  DrawArea source{73, 90, 400, 190}, destination = source;
  ClipPictureDraw(400, 190, picture.width, picture.height, &destination, &source);
  Check(destination.width <= 0 || destination.height <= 0 ||
        (source.x + std::int64_t{source.width} <= picture.width &&
         source.y + std::int64_t{source.height} <= picture.height));
}

// Only version digits change (6 to 7, 7 to 3), at most two per counted change.
inline void version_stamp(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  const int changed = StampVersionText(bytes.data(), bytes.size());
  int differing = 0;
  for (std::size_t at = 0; at < size; ++at) {
    if (bytes[at] == data[at]) continue;
    ++differing;
    Check((data[at] == '6' && bytes[at] == '7') || (data[at] == '7' && bytes[at] == '3'));
  }
  Check(differing <= 2 * changed);
}

}  // namespace reader

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  reader::LANZ_READER(data, size);
  return 0;
}
