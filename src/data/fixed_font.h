#pragma once
// A fixed-size bitmap font for the raster canvas: one byte per glyph row,
// the most significant bit the leftmost pixel.

#include <cstdint>

namespace korvana {

struct FixedFont {
  int width;   // pixels per character cell
  int height;  // pixels per character cell
  int first;   // first character code held
  int last;    // last character code held
  const uint8_t* rows;  // (last - first + 1) * height bytes
};

extern const FixedFont kFixedFont;

}  // namespace korvana
