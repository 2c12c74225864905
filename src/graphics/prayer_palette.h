#pragma once
// The 13 fixed colours shared by the prayer map and the annual prayer graph.

#include "graphics/canvas.h"

namespace korvana {

// Index: 1 sea at night (also the annual graph's grid), 2 sea in twilight,
// 3 sea with the sun between -1 and 5 degrees, 4 sea by day, 5..8 the same
// for land, 9 the MID-DAY line, 10 the noon line, 11 the ASR-I line,
// 12 the ASR-II line; 0 is not used.
inline constexpr Rgb PrayerPalette[13] = {
    {0, 0, 0},       {64, 64, 64},   {0, 0, 255},     {255, 128, 0}, {255, 255, 128},
    {0, 0, 0},       {0, 0, 128},    {128, 64, 0},    {128, 128, 64}, {128, 0, 192},
    {192, 192, 192}, {0, 255, 0},    {0, 192, 0},
};

}  // namespace korvana
