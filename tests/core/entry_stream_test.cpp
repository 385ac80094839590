#include "core/entry_stream.h"

#include "container_builder.h"
#include "core/container_format.h"

#include <gtest/gtest.h>

#include <random>

namespace {

Bytes TextLike(std::size_t size) {
  static const char kWords[] = "lanz pinyin wubi ci zu ";
  Bytes out(size);
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(kWords[i % 23]);
  return out;
}

Bytes Random(std::size_t size) {
  std::mt19937 generator(7);
  Bytes out(size);
  for (std::uint8_t& byte : out) byte = static_cast<std::uint8_t>(generator());
  return out;
}

TEST(EntryStream, EmptyInputIsTheEightByteStreamAndInflatesToNothing) {
  const Bytes stream = Compressed({});
  ASSERT_EQ(8u, stream.size());
  std::uint8_t out[16];
  std::size_t length = 99;
  EXPECT_TRUE(InflateEntry(stream.data(), 8, out, sizeof out, length));
  EXPECT_EQ(0u, length);
}

TEST(EntryStream, RoundTripsWithinCapacity) {
  const Bytes data = TextLike(300000);
  const Bytes stream = Compressed(data);
  ASSERT_FALSE(stream.empty());
  Bytes out(data.size());
  std::size_t length = 0;
  ASSERT_TRUE(InflateEntry(stream.data(), static_cast<std::uint32_t>(stream.size()), out.data(),
                           out.size(), length));
  EXPECT_EQ(data, out);
}

TEST(EntryStream, IncompressibleDataMustFitTheWritersRoom) {
  // Small files may grow: 8192 bytes of room.
  const Bytes small = Random(1000);
  EXPECT_NE(0u, Compressed(small).size());
  // Beyond 8192 bytes the stream may not be longer than the file.
  const Bytes large = Random(9000);
  EXPECT_EQ(9000u, CompressionRoom(large.size()));
  EXPECT_EQ(0u, Compressed(large).size());
  Bytes out(20000);
  EXPECT_NE(0u, CompressEntry(large.data(), large.size(), out.data(), out.size()));
}

TEST(EntryStream, FailsCleanlyOnBadStreams) {
  const Bytes data = TextLike(50000);
  const Bytes stream = Compressed(data);
  Bytes out(data.size());
  std::size_t length = 0;
  // Truncated: every shorter prefix fails and never writes past `out`.
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{2}, stream.size() / 2,
                          stream.size() - 1}) {
    EXPECT_FALSE(InflateEntry(stream.data(), static_cast<std::uint32_t>(cut), out.data(),
                              out.size(), length))
        << cut;
    EXPECT_EQ(0u, length);
  }
  Bytes damaged = stream;
  damaged[0] ^= 0xFF;
  EXPECT_FALSE(InflateEntry(damaged.data(), static_cast<std::uint32_t>(damaged.size()),
                            out.data(), out.size(), length));
}

TEST(EntryStream, StopsAtTheCapacityAndAtTheTwoMebibyteLimit) {
  const Bytes data = TextLike(1000);
  const Bytes stream = Compressed(data);
  Bytes out(999 + 1, 0xEE);
  std::size_t length = 0;
  EXPECT_FALSE(InflateEntry(stream.data(), static_cast<std::uint32_t>(stream.size()), out.data(),
                            999, length));
  EXPECT_EQ(0xEE, out[999]);  // nothing beyond the capacity

  const Bytes over = TextLike(kInflateLimit + 1);
  const Bytes overStream = Compressed(over);
  Bytes big(kInflateLimit + 4096);
  EXPECT_FALSE(InflateEntry(overStream.data(), static_cast<std::uint32_t>(overStream.size()),
                            big.data(), big.size(), length));
  const Bytes exact = TextLike(kInflateLimit);
  const Bytes exactStream = Compressed(exact);
  EXPECT_TRUE(InflateEntry(exactStream.data(), static_cast<std::uint32_t>(exactStream.size()),
                           big.data(), big.size(), length));
  EXPECT_EQ(kInflateLimit, length);
}

}  // namespace
