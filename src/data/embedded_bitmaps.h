#pragma once
// The two bitmaps the program carries, as its resources `_moon_` and
// `_earth_` hold them: device-independent bitmaps without a file header
// (a 40-byte header, the colour table, then the pixels).
//
// `_moon_`: 328 x 328, 4 bits per pixel, 16 colours (only the 13 greys used),
// rows bottom-up, 164 bytes a row; pixels at offset 104.
// `_earth_`: 800 x 400, 1 bit per pixel, 1 = land, row 0 the southernmost,
// 100 bytes a row, most significant bit leftmost; bits at offset 48.

#include <cstddef>
#include <cstdint>

namespace korvana {

extern const uint8_t kMoonBitmap[];
extern const size_t kMoonBitmapSize;
extern const uint8_t kEarthBitmap[];
extern const size_t kEarthBitmapSize;

}  // namespace korvana
