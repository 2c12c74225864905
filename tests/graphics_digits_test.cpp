#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "graphics/picture.h"
#include "graphics/world_map.h"

namespace korvana {
namespace {

// FNV-1a over bytes.
uint64_t Fingerprint(const uint8_t* bytes, size_t size) {
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < size; ++i) {
    h ^= bytes[i];
    h *= 1099511628211ull;
  }
  return h;
}

AstroState Istanbul() {
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  SetDate(s, 21, 6, 2014);
  SetTime(s, 15, 0);
  return s;
}

// The pictures and maps of one moment must come out byte for byte the same
// in the native build and in the Windows build under Wine, whose maths
// libraries differ: a pixel that flips between them is a difference a user
// would see. The fingerprints were taken from the native build; both builds
// must reproduce them (a change to the land mask, the moon or a drawing rule
// changes them on purpose).
TEST(GraphicsDigits, SameBytesInEveryBuild) {
  const struct {
    const char* name;
    int kind;
    bool map;
    uint64_t fingerprint;
  } cases[] = {
      {"moon", kMoonPicture, false, 0x76f11e2af68d7da7ull},
      {"earth", kEarthPicture, false, 0x39d3965bfb289989ull},
      {"globe", kGlobePicture, false, 0xd233387a0c4f3997ull},
      {"prayer_map", kPrayerMap, true, 0xacb4f5d3a11c4f15ull},
      {"qibla_map", kQiblaMap, true, 0xf89721d4bd864e5full},
      {"declination_map", kDeclinationMap, true, 0x4e5e96bdbae76cd9ull},
  };
  for (const auto& c : cases) {
    AstroState s = Istanbul();
    uint64_t fingerprint = 0;
    if (c.map) {
      WorldMapJob job;
      job.state = &s;
      job.latitude = 4101;
      job.longitude = 2897;
      Image map;
      ASSERT_TRUE(BuildWorldMap(c.kind, job, &map));
      fingerprint = Fingerprint(reinterpret_cast<const uint8_t*>(map.pixels.data()),
                                map.pixels.size() * sizeof(Rgb));
    } else {
      const std::vector<uint8_t> file = BuildPicture(c.kind, s, 4101, nullptr, nullptr);
      fingerprint = Fingerprint(file.data(), file.size());
    }
    EXPECT_EQ(fingerprint, c.fingerprint) << c.name << std::hex << " 0x" << fingerprint;
  }
}

}  // namespace
}  // namespace korvana
