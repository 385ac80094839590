#pragma once

// An entry's data is one zlib stream made by compress at the default level.

#include <cstddef>
#include <cstdint>

// The output room the writer offers: max(n, 8192) bytes, so small files
// always fit and larger ones must not grow.
std::size_t CompressionRoom(std::size_t length);

// Compresses `length` bytes into `out` (`room` bytes). Returns the stream's
// length, or 0 when compression fails or the stream does not fit.
std::size_t CompressEntry(const std::uint8_t* data, std::size_t length, std::uint8_t* out,
                          std::size_t room);

// Inflates a stream into `out`, never beyond `capacity` bytes nor beyond the
// 2 MiB limit. True with the inflated length (possibly 0) when the stream was
// whole and fitted; false for a truncated or damaged stream or one that
// inflates to more.
bool InflateEntry(const std::uint8_t* stream, std::uint32_t streamLength, std::uint8_t* out,
                  std::size_t capacity, std::size_t& inflatedLength);
