#include "core/bmp_picture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A well-formed bottom-up BMP as the payload carries it.
Bytes Bmp(std::uint32_t width, std::uint32_t height, unsigned bits = 24) {
  const std::uint32_t table = bits <= 8 ? 4u << bits : 0;
  const std::uint32_t offset = 54 + table;
  const std::uint32_t row = (width * bits + 31) / 32 * 4;
  Bytes bytes(offset + row * height, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  Put32(bytes, 10, offset);
  Put32(bytes, 14, 40);
  Put32(bytes, 18, width);
  Put32(bytes, 22, height);
  bytes[26] = 1;
  bytes[28] = static_cast<std::uint8_t>(bits);
  return bytes;
}

bool Reads(const Bytes& bytes, BmpPicture* picture = nullptr) {
  BmpPicture ignored{};
  return ReadBmpPicture(bytes.data(), bytes.size(), picture != nullptr ? picture : &ignored);
}

TEST(BmpPicture, TheSplashShapeReadsWithItsSizeAndOffset) {
  BmpPicture picture{};
  ASSERT_TRUE(Reads(Bmp(401, 310), &picture));
  EXPECT_EQ(401u, picture.width);
  EXPECT_EQ(310u, picture.height);
  EXPECT_EQ(54u, picture.bitsOffset);
  // Rows are padded to four bytes: 401 * 3 = 1203 takes 1204.
  EXPECT_EQ(54u + 1204u * 310u, Bmp(401, 310).size());
  EXPECT_TRUE(Reads(Bmp(3, 2, 1)));
  EXPECT_TRUE(Reads(Bmp(5, 5, 8)));
  EXPECT_TRUE(Reads(Bmp(7, 1, 32)));
}

TEST(BmpPicture, PixelsCutShortOrOffsetPastTheEndAreRefused) {
  Bytes cut = Bmp(401, 310);
  cut.pop_back();
  EXPECT_FALSE(Reads(cut));

  Bytes offset = Bmp(401, 310);
  Put32(offset, 10, 55);
  EXPECT_FALSE(Reads(offset));
  Put32(offset, 10, 0xFFFFFFF0u);  // would wrap a 32-bit sum
  EXPECT_FALSE(Reads(offset));
  // Pixels may not start inside the headers.
  Put32(offset, 10, 40);
  EXPECT_FALSE(Reads(offset));
}

TEST(BmpPicture, SizesThatDoNotFitOrDisagreeWithTheLow16BitsAreRefused) {
  Bytes wide = Bmp(401, 310);
  Put32(wide, 18, 402);
  EXPECT_FALSE(Reads(wide));
  Put32(wide, 18, 0x10000 + 401);  // low 16 bits 401, GDI would read 65937
  EXPECT_FALSE(Reads(wide));
  Put32(wide, 18, 0);
  EXPECT_FALSE(Reads(wide));

  Bytes tall = Bmp(401, 310);
  Put32(tall, 22, 311);
  EXPECT_FALSE(Reads(tall));
  Put32(tall, 22, static_cast<std::uint32_t>(-310));  // top-down
  EXPECT_FALSE(Reads(tall));
}

TEST(BmpPicture, BitCountHeaderAndSignatureMustBeSound) {
  Bytes bits = Bmp(401, 310);
  bits[28] = 48;  // twice the row bytes that are there
  EXPECT_FALSE(Reads(bits));
  bits[28] = 0;
  EXPECT_FALSE(Reads(bits));
  bits[28] = 7;
  EXPECT_FALSE(Reads(bits));

  Bytes compressed = Bmp(401, 310);
  compressed[30] = 1;
  EXPECT_FALSE(Reads(compressed));

  Bytes info = Bmp(401, 310);
  Put32(info, 14, 12);
  EXPECT_FALSE(Reads(info));
  Put32(info, 14, 0x7FFFFFFF);
  EXPECT_FALSE(Reads(info));

  Bytes signature = Bmp(401, 310);
  signature[1] = 'A';
  EXPECT_FALSE(Reads(signature));

  // A palette picture whose table would overlap the pixels.
  Bytes palette = Bmp(5, 5, 8);
  Put32(palette, 10, 54 + 100);
  EXPECT_FALSE(Reads(palette));
  // GDI reads the colours the header counts, beyond a full table and for
  // 24 bits too.
  Bytes counted = Bmp(3, 2, 1);
  Put32(counted, 46, 3);
  EXPECT_FALSE(Reads(counted));
  counted = Bmp(401, 310);
  Put32(counted, 46, 42);
  EXPECT_FALSE(Reads(counted));

  const Bytes header = Bmp(1, 1);
  EXPECT_FALSE(ReadBmpPicture(header.data(), 53, nullptr));
  EXPECT_FALSE(ReadBmpPicture(nullptr, 0, nullptr));
}

struct Draw {
  DrawArea destination, source;
};

Draw Clipped(int right, int bottom, unsigned w, unsigned h, DrawArea destination,
             DrawArea source) {
  ClipPictureDraw(right, bottom, w, h, &destination, &source);
  return {destination, source};
}

void ExpectArea(const DrawArea& expected, const DrawArea& actual) {
  EXPECT_EQ(expected.x, actual.x);
  EXPECT_EQ(expected.y, actual.y);
  EXPECT_EQ(expected.width, actual.width);
  EXPECT_EQ(expected.height, actual.height);
}

TEST(PictureClipping, TheWelcomePageDrawsItsSplashAndStripUnchanged) {
  Draw splash = Clipped(400, 190, 401, 310, {0, 0, 400, 190}, {0, 0, 400, 190});
  ExpectArea({0, 0, 400, 190}, splash.destination);
  ExpectArea({0, 0, 400, 190}, splash.source);
  Draw strip = Clipped(400, 190, 401, 310, {73, 90, 128, 35}, {73, 90, 128, 2});
  ExpectArea({73, 90, 128, 35}, strip.destination);
  ExpectArea({73, 90, 128, 2}, strip.source);
}

TEST(PictureClipping, SourceIsCutToThePictureDestinationToTheLimits) {
  Draw partly = Clipped(400, 190, 100, 50, {0, 0, 400, 190}, {60, 30, 400, 190});
  ExpectArea({60, 30, 40, 20}, partly.source);
  // The destination keeps its size: the stretch does the rest.
  ExpectArea({0, 0, 400, 190}, partly.destination);

  Draw outside = Clipped(400, 190, 100, 50, {0, 0, 10, 10}, {150, 70, 10, 10});
  ExpectArea({100, 50, 0, 0}, outside.source);

  Draw beyondRight = Clipped(400, 190, 401, 310, {400, 10, 20, 20}, {0, 0, 20, 20});
  EXPECT_EQ(0, beyondRight.destination.width);
  EXPECT_EQ(20, beyondRight.destination.height);
  Draw belowBottom = Clipped(400, 190, 401, 310, {10, 200, 20, 20}, {0, 0, 20, 20});
  ExpectArea({10, 190, 20, 0}, belowBottom.destination);
}

}  // namespace
