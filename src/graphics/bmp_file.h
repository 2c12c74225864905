#pragma once
// 24-bit BMP files: a picture in memory to file bytes and back.

#include <cstdint>
#include <vector>

#include "graphics/canvas.h"

namespace korvana {

// A complete 24-bit BMP file of `picture`: the 14-byte file header, a
// 40-byte header, rows bottom-up, each padded with zero bytes to a multiple
// of 4.
std::vector<uint8_t> EncodeBmp24(const Image& picture);

// Reads an uncompressed 24-bit BMP file (rows bottom-up or top-down). False
// for anything else or for a file too short for its own header.
bool DecodeBmp24(const std::vector<uint8_t>& bytes, Image* picture);

}  // namespace korvana
