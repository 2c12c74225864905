#include "graphics/bmp_file.h"

#include <cstdlib>

namespace korvana {

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int32_t kPixelsPerMetre = 3937;  // 100 pixels per inch

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetLe(const std::vector<uint8_t>& in, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(in[at + i]) << (8 * i);
  return value;
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Image& picture) {
  const uint32_t rowBytes = (static_cast<uint32_t>(picture.width) * 3 + 3) / 4 * 4;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
  std::vector<uint8_t> out;
  out.reserve(kFileHeaderBytes + kInfoHeaderBytes + imageBytes);
  out.push_back('B');
  out.push_back('M');
  PutLe(out, kFileHeaderBytes + kInfoHeaderBytes + imageBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, kFileHeaderBytes + kInfoHeaderBytes, 4);
  PutLe(out, kInfoHeaderBytes, 4);
  PutLe(out, static_cast<uint32_t>(picture.width), 4);
  PutLe(out, static_cast<uint32_t>(picture.height), 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);
  PutLe(out, imageBytes, 4);
  PutLe(out, kPixelsPerMetre, 4);
  PutLe(out, kPixelsPerMetre, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb& p = picture.At(x, y);
      out.push_back(p.blue);
      out.push_back(p.green);
      out.push_back(p.red);
    }
    out.insert(out.end(), rowBytes - picture.width * 3, 0);
  }
  return out;
}

bool DecodeBmp24(const std::vector<uint8_t>& bytes, Image* picture) {
  if (bytes.size() < kFileHeaderBytes + kInfoHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') {
    return false;
  }
  const uint32_t offset = GetLe(bytes, 10, 4);
  const int32_t width = static_cast<int32_t>(GetLe(bytes, 18, 4));
  const int32_t height = static_cast<int32_t>(GetLe(bytes, 22, 4));
  if (GetLe(bytes, 28, 2) != 24 || GetLe(bytes, 30, 4) != 0 || width <= 0 || height == 0) {
    return false;
  }
  const int32_t rows = std::abs(height);
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * 3 + 3) / 4 * 4;
  if (offset + rowBytes * rows > bytes.size()) return false;
  *picture = Image(width, rows);
  for (int32_t r = 0; r < rows; ++r) {
    const int32_t y = height > 0 ? rows - 1 - r : r;
    const uint8_t* p = bytes.data() + offset + rowBytes * r;
    for (int32_t x = 0; x < width; ++x, p += 3) picture->At(x, y) = {p[2], p[1], p[0]};
  }
  return true;
}

}  // namespace korvana
