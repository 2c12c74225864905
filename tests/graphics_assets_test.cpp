#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/embedded_bitmaps.h"

namespace korvana {
namespace {

uint32_t Le32(const uint8_t* b) {
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
}
uint32_t Le16(const uint8_t* b) { return b[0] | b[1] << 8; }

std::vector<uint8_t> ReadResource(const std::string& name) {
  std::ifstream in(std::string(KORVANA_TEST_DATA_DIR) + "/../../src/resources/" + name,
                   std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Land bit of the mask at a latitude and longitude in degrees.
bool LandAt(double latitude, double longitude) {
  const int x = static_cast<int>((longitude + 180) / 360 * 800);
  const int n = static_cast<int>((latitude + 90) / 180 * 400);
  const uint8_t byte = kEarthBitmap[48 + n * 100 + x / 8];
  return (byte >> (7 - x % 8)) & 1;
}

TEST(EmbeddedBitmaps, EarthHeader) {
  const uint32_t expected[] = {40, 800, 400, 0, 0, 40000, 3937, 3937, 2, 0};
  const size_t offsets[] = {0, 4, 8, 12, 16, 20, 24, 28, 32, 36};
  for (int i = 0; i < 10; ++i) {
    if (i == 3) continue;
    EXPECT_EQ(Le32(kEarthBitmap + offsets[i]), expected[i]) << "offset " << offsets[i];
  }
  EXPECT_EQ(Le16(kEarthBitmap + 12), 1u) << "planes";
  EXPECT_EQ(Le16(kEarthBitmap + 14), 1u) << "bits per pixel";
  EXPECT_EQ((std::vector<uint8_t>(kEarthBitmap + 40, kEarthBitmap + 48)),
            (std::vector<uint8_t>{0, 0, 0, 0, 255, 255, 255, 0}));
  EXPECT_EQ(kEarthBitmapSize, 48u + 40000u);
}

TEST(EmbeddedBitmaps, CoastlinesWhereTheyBelong) {
  const struct {
    const char* name;
    double latitude, longitude;
    bool land;
  } places[] = {
      {"sahara", 23, 10, true},           {"central_australia", -25, 134, true},
      {"siberia", 62, 100, true},         {"antarctic_plateau", -85, 0, true},
      {"amazon", -5, -60, true},          {"greenland", 75, -40, true},
      {"great_plains", 40, -100, true},   {"anatolia", 39, 33, true},
      {"mid_pacific", 0, -150, false},    {"mid_atlantic", 30, -40, false},
      {"indian_ocean", -20, 75, false},   {"near_the_north_pole", 88, 0, false},
      {"caspian_sea", 42, 50.5, false},   {"mediterranean", 35, 18, false},
      {"black_sea", 43, 34, false},       {"hudson_bay", 60, -85, false},
  };
  for (const auto& p : places) EXPECT_EQ(LandAt(p.latitude, p.longitude), p.land) << p.name;
}

TEST(EmbeddedBitmaps, MoonHeaderAndGreys) {
  const uint32_t expected[] = {40, 328, 328, 0, 0, 53792, 0, 0, 16, 0};
  for (int i = 0; i < 10; ++i) {
    if (i == 3 || i == 4) continue;
    EXPECT_EQ(Le32(kMoonBitmap + 4 * i), expected[i]) << "offset " << 4 * i;
  }
  EXPECT_EQ(Le16(kMoonBitmap + 12), 1u) << "planes";
  EXPECT_EQ(Le16(kMoonBitmap + 14), 4u) << "bits per pixel";
  EXPECT_EQ(Le32(kMoonBitmap + 16), 0u) << "compression";
  const uint8_t table[16][3] = {{0, 0, 0},       {132, 134, 132}, {204, 202, 204}, {68, 66, 68},
                                {244, 246, 244}, {44, 42, 44},    {156, 158, 156}, {108, 110, 108},
                                {20, 22, 20},    {228, 222, 228}, {180, 178, 180}, {84, 86, 84},
                                {252, 254, 252}, {11, 29, 22},    {0, 10, 200},    {0, 193, 102}};
  for (int i = 0; i < 16; ++i) {
    const uint8_t* entry = kMoonBitmap + 40 + 4 * i;  // blue, green, red, reserved
    EXPECT_EQ((std::vector<int>{entry[2], entry[1], entry[0], entry[3]}),
              (std::vector<int>{table[i][0], table[i][1], table[i][2], 0}))
        << "entry " << i;
  }
  ASSERT_EQ(kMoonBitmapSize, 104u + 53792u);
  int disc = 0;
  int discLit = 0;
  for (int row = 0; row < 328; ++row) {
    for (int x = 0; x < 328; ++x) {
      const uint8_t byte = kMoonBitmap[104 + row * 164 + x / 2];
      const int index = x % 2 == 0 ? byte >> 4 : byte & 15;
      ASSERT_LE(index, 12) << "only the greys are used";
      const double dx = x + 0.5 - 164, dy = row + 0.5 - 164;
      if (dx * dx + dy * dy > 165.0 * 165.0) {
        ASSERT_EQ(index, 0) << "black around the disc at " << x << ", " << row;
      } else if (dx * dx + dy * dy < 160.0 * 160.0) {
        ++disc;
        discLit += index != 0 ? 1 : 0;
      }
    }
  }
  EXPECT_GT(discLit, disc * 99 / 100) << "the disc fills the square";
}

TEST(EmbeddedBitmaps, SameBytesAsTheProgramsResources) {
  const struct {
    const char* file;
    const uint8_t* bytes;
    size_t size;
  } cases[] = {{"moon.bmp", kMoonBitmap, kMoonBitmapSize},
               {"earth.bmp", kEarthBitmap, kEarthBitmapSize}};
  for (const auto& c : cases) {
    const std::vector<uint8_t> file = ReadResource(c.file);
    ASSERT_EQ(file.size(), 14 + c.size) << c.file;
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 14, file.end()),
              std::vector<uint8_t>(c.bytes, c.bytes + c.size))
        << c.file;
  }
}

}  // namespace
}  // namespace korvana
