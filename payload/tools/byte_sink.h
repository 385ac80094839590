#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Little-endian writers for the binary files of the payload.
inline void Put8(Bytes& out, unsigned value) { out.push_back(static_cast<std::uint8_t>(value)); }

inline void Put16(Bytes& out, unsigned value) {
  Put8(out, value & 0xFF);
  Put8(out, (value >> 8) & 0xFF);
}

inline void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

inline void PutText(Bytes& out, const std::string& text) {
  for (char c : text) Put8(out, static_cast<unsigned char>(c));
}

// Pads with zero bytes up to `size`.
inline void PadTo(Bytes& out, std::size_t size) {
  if (out.size() < size) out.resize(size, 0);
}
