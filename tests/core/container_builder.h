#pragma once

// Builds containers in memory with the product's own encoders, so tests can
// walk real bytes and then damage them. Names are kept whole up to their
// field, longer than the writers allow: tests plant such names on purpose.

#include "core/container_format.h"
#include "core/container_walk.h"
#include "core/entry_stream.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline Bytes Compressed(const Bytes& data) {
  Bytes out(CompressionRoom(data.size()));
  out.resize(CompressEntry(data.data(), data.size(), out.data(), out.size()));
  return out;
}

class ContainerBuilder {
 public:
  explicit ContainerBuilder(ContainerFormat format) : header_(EmptyContainerHeader(format)) {}

  ContainerBuilder& Add(const std::string& name, const Bytes& data,
                        const std::string& checksum = "0123456789ABCDEF0123456789ABCDEF") {
    const Bytes stream = Compressed(data);
    EntryHeader entry{{}, {}, static_cast<std::uint32_t>(stream.size())};
    std::memcpy(entry.name, name.data(), std::min(name.size(), sizeof entry.name));
    std::memcpy(entry.checksum, checksum.data(), std::min(checksum.size(), sizeof entry.checksum));
    std::uint8_t bytes[kEntryHeaderSize];
    EncodeEntryHeader(entry, bytes);
    if (FormatOfMagic(header_.magic) == ContainerFormat::Plain) {
      PlainEntryHeader plain{{}, entry.compressedSize};
      std::memcpy(plain.name, entry.name, sizeof plain.name);
      auto& plainBytes = reinterpret_cast<std::uint8_t(&)[kPlainEntryHeaderSize]>(bytes);
      EncodePlainEntryHeader(plain, plainBytes);
    }
    entries_.insert(entries_.end(), bytes, bytes + EntryHeaderSize(FormatOfMagic(header_.magic)));
    entries_.insert(entries_.end(), stream.begin(), stream.end());
    CountAppendedEntry(header_, entry.compressedSize);
    return *this;
  }

  Bytes Build() const {
    std::uint8_t bytes[kContainerHeaderSize];
    EncodeContainerHeader(header_, bytes);
    Bytes out(bytes, bytes + sizeof bytes);
    out.insert(out.end(), entries_.begin(), entries_.end());
    return out;
  }

 private:
  ContainerHeader header_;
  Bytes entries_;
};

// Every entry a walk yields, and how the walk ended.
struct WalkResult {
  std::vector<ContainerEntry> entries;
  ContainerWalk walk;
};

inline WalkResult WalkAll(const Bytes& container) {
  WalkResult result{{}, StartWalk(container.data(), container.size())};
  ContainerEntry entry{};
  while (NextEntry(result.walk, entry)) result.entries.push_back(entry);
  return result;
}
