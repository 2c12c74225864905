#pragma once
// Small bitmaps in the layouts of `_moon_` and `_earth_`, made in the test so
// that every expected pixel can be worked out by hand.

#include <cstdint>
#include <functional>
#include <vector>

namespace korvana::testing {

inline void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void PutLe16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void PutDibHeader(std::vector<uint8_t>& out, int width, int height, int bits,
                         uint32_t imageSize, int32_t resolution, uint32_t colours,
                         uint32_t compression = 0) {
  PutLe32(out, 40);
  PutLe32(out, static_cast<uint32_t>(width));
  PutLe32(out, static_cast<uint32_t>(height));
  PutLe16(out, 1);
  PutLe16(out, static_cast<uint16_t>(bits));
  PutLe32(out, compression);
  PutLe32(out, imageSize);
  PutLe32(out, static_cast<uint32_t>(resolution));
  PutLe32(out, static_cast<uint32_t>(resolution));
  PutLe32(out, colours);
  PutLe32(out, 0);
}

// The program's moon colour table as (red, green, blue).
inline constexpr uint8_t kMoonPalette[16][3] = {
    {0, 0, 0},       {132, 134, 132}, {204, 202, 204}, {68, 66, 68},
    {244, 246, 244}, {44, 42, 44},    {156, 158, 156}, {108, 110, 108},
    {20, 22, 20},    {228, 222, 228}, {180, 178, 180}, {84, 86, 84},
    {252, 254, 252}, {11, 29, 22},    {0, 10, 200},    {0, 193, 102}};

// A 328 x 328 moon whose colour index at (x, storage row) is `index`.
inline std::vector<uint8_t> MakeMoonDib(const std::function<int(int x, int row)>& index) {
  constexpr int kSize = 328;
  constexpr int kRowBytes = 164;
  std::vector<uint8_t> dib;
  PutDibHeader(dib, kSize, kSize, 4, kSize * kRowBytes, 0, 16);
  for (const auto& c : kMoonPalette) {
    dib.push_back(c[2]);
    dib.push_back(c[1]);
    dib.push_back(c[0]);
    dib.push_back(0);
  }
  for (int row = 0; row < kSize; ++row) {
    for (int x = 0; x < kSize; x += 2) {
      dib.push_back(static_cast<uint8_t>(index(x, row) << 4 | index(x + 1, row)));
    }
  }
  return dib;
}

// A width x height land mask (width a multiple of 32) where `land` says
// which pixels (x, row from the south) are land.
inline std::vector<uint8_t> MakeEarthDib(int width, int height,
                                         const std::function<bool(int x, int row)>& land,
                                         int bits = 1, uint32_t compression = 0) {
  std::vector<uint8_t> dib;
  PutDibHeader(dib, width, height, bits, width / 8 * height, 3937, 2, compression);
  for (uint8_t b : {0, 0, 0, 0, 255, 255, 255, 0}) dib.push_back(b);
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; x += 8) {
      uint8_t byte = 0;
      for (int i = 0; i < 8; ++i) byte = static_cast<uint8_t>(byte << 1 | (land(x + i, row) ? 1 : 0));
      dib.push_back(byte);
    }
  }
  return dib;
}

}  // namespace korvana::testing
