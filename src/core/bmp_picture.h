#pragma once

#include <cstddef>
#include <cstdint>

// The splash picture is a BMP file inflated from the payload. Before GDI is
// handed its header and pixel bits, the header's own numbers must stay
// within the bytes that inflation produced: a damaged picture is not drawn.
struct BmpPicture {
  unsigned width;   // the low 16 bits of the header's width
  unsigned height;  // the low 16 bits of the header's height
  std::uint32_t bitsOffset;
};

// Checks "BM", the info header, the colour table, the bit count, the width,
// the height and the pixel-data offset against `length`. True when the
// header, colour table and every row of pixels lie inside the bytes.
bool ReadBmpPicture(const std::uint8_t* bytes, std::size_t length, BmpPicture* picture);

struct DrawArea {
  int x, y, width, height;
};

// Cuts a draw of part of a W x H picture: the source to the picture, the
// destination to the right and bottom limits (and to the picture's size
// from the destination's corner). A destination that starts at or beyond a
// limit gets width or height 0.
void ClipPictureDraw(int rightLimit, int bottomLimit, unsigned pictureWidth, unsigned pictureHeight,
                     DrawArea* destination, DrawArea* source);
