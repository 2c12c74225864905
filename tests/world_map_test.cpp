#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/geomagnetic.h"
#include "engine/sun.h"
#include "graphics/prayer_palette.h"
#include "graphics/recording_canvas.h"
#include "graphics/world_map.h"
#include "graphics_fixtures.h"

namespace korvana {
namespace {

using testing::MakeEarthDib;

// Agreement asked of a bearing against its worked value, degrees.
constexpr double kBearingTolerance = 0.0005;

constexpr Rgb kRed = {255, 0, 0};

AstroState StateAt(int16_t lat, int16_t lon, int16_t tz, int16_t day, int16_t month,
                   int16_t year, int16_t hour, int16_t minute) {
  AstroState s;
  SetLocation(s, lat, lon, tz);
  SetDate(s, day, month, year);
  SetTime(s, hour, minute);
  return s;
}

// The prayer map of an all-sea 800 x 400 mask walked pixel by pixel, as the
// map command walks it, for a given sun.
Image WalkPrayerMap(int32_t hourAngle, double declination) {
  PrayerMapWalk walk = StartPrayerMap(800, 400, hourAngle, declination, -18.0f, -17.0f);
  Image map(800, 400);
  for (int n = 0; n < 400; ++n) {
    for (int x = 0; x < 800; ++x) map.At(x, 399 - n) = PrayerMapColour(walk, x, n, 0);
  }
  return map;
}

std::vector<int> ColumnsOf(const Image& map, int n, Rgb colour) {
  std::vector<int> columns;
  for (int x = 0; x < map.width; ++x) {
    if (map.At(x, map.height - 1 - n) == colour) columns.push_back(x);
  }
  return columns;
}

TEST(WorldMap, UnusableMaskDrawsNothing) {
  const struct {
    const char* name;
    int bits;
    uint32_t compression;
  } cases[] = {{"compressed", 1, 1}, {"four_bits_per_pixel", 4, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> dib =
        MakeEarthDib(32, 16, [](int, int) { return true; }, c.bits, c.compression);
    AstroState s = StateAt(0, 0, 0, 1, 1, 2014, 12, 0);
    WorldMapJob job;
    job.state = &s;
    job.earthBitmap = dib.data();
    for (int kind : {kPrayerMap, kQiblaMap, kDeclinationMap}) {
      RecordingCanvas canvas(1024, 768);
      EXPECT_FALSE(DrawWorldMap(kind, canvas, job));
      EXPECT_TRUE(canvas.Calls().empty());
    }
  }
}

TEST(WorldMap, SouthernmostRowIsDrawnAtTheBottom) {
  const std::vector<uint8_t> dib = MakeEarthDib(32, 16, [](int, int row) { return row == 0; });
  AstroState s = StateAt(0, 0, 0, 1, 1, 2014, 12, 0);
  WorldMapJob job;
  job.state = &s;
  job.latitude = 9000;  // the marker in the top row, out of the way
  job.longitude = 0;
  job.earthBitmap = dib.data();
  Image map;
  ASSERT_TRUE(BuildWorldMap(kQiblaMap, job, &map));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (map.At(x, y) == kRed) continue;
      const Rgb p = map.At(x, y);
      const bool land = p == Rgb{255, 255, 255} || p == Rgb{192, 192, 192};
      EXPECT_EQ(land, y == 15) << x << ", " << y;
    }
  }
}

TEST(WorldMap, ObserverMarker) {
  const std::vector<uint8_t> dib = MakeEarthDib(800, 400, [](int, int) { return false; });
  const struct {
    const char* name;
    int latitude, longitude, x, y;
  } cases[] = {
      {"north_west_corner", 9000, -18000, 0, 0},
      {"south_east_corner", -9000, 18000, 799, 399},
      {"null_island", 0, 0, 399, 199},
      {"istanbul", 4101, 2897, 463, 108},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s = StateAt(0, 0, 0, 1, 1, 2014, 12, 0);
    WorldMapJob job;
    job.state = &s;
    job.latitude = c.latitude;
    job.longitude = c.longitude;
    job.earthBitmap = dib.data();
    Image map;
    ASSERT_TRUE(BuildWorldMap(kQiblaMap, job, &map));
    int reds = 0;
    for (const Rgb& p : map.pixels) reds += p == kRed ? 1 : 0;
    EXPECT_EQ(reds, 1);
    EXPECT_EQ(map.At(c.x, c.y), kRed);
  }
}

TEST(WorldMap, NoonLineOnePixelWideAtColumnRPlusOne) {
  const struct {
    const char* name;
    int32_t hourAngle;
    int column;  // -1: no noon line
  } cases[] = {
      {"sun_over_greenwich", 0, 400},
      {"r_at_the_last_column", -720, -1},
      // The sun's hour angle at Greenwich is -15 hours on a Tokyo morning:
      // r = 899 would lie past the edge; it wraps to 99.
      {"tokyo_morning_wraps_from_the_right", -900, 100},
      {"hawaii_evening_wraps_from_the_left", 1260, 500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Image map = WalkPrayerMap(c.hourAngle, 0.2);
    for (int n = 0; n < 400; ++n) {
      const std::vector<int> noon = ColumnsOf(map, n, PrayerPalette[10]);
      if (c.column < 0) {
        ASSERT_TRUE(noon.empty()) << "row " << n;
      } else {
        ASSERT_EQ(noon, std::vector<int>{c.column}) << "row " << n;
      }
    }
  }
}

TEST(WorldMap, MidDayLineFollowsThePreviousRowsTwilight) {
  const Image map = WalkPrayerMap(0, 0.4);  // northern summer, noon column 399
  auto twilight = [&](int n) {
    return ColumnsOf(map, n, PrayerPalette[2]).size();
  };
  EXPECT_TRUE(ColumnsOf(map, 0, PrayerPalette[9]).empty()) << "the first row has no row before";
  int rowsWithMidDay = 0;
  for (int n = 1; n < 400; ++n) {
    const std::vector<int> midDay = ColumnsOf(map, n, PrayerPalette[9]);
    const int shift = static_cast<int>(twilight(n - 1)) / 4;
    if (shift == 0) {
      EXPECT_TRUE(midDay.empty()) << "row " << n;
    } else if (!midDay.empty()) {
      EXPECT_EQ(midDay, std::vector<int>{399 - shift}) << "row " << n;
      ++rowsWithMidDay;
    }
  }
  EXPECT_GT(rowsWithMidDay, 100);
}

TEST(WorldMap, AsrLinesOncePerRowAndNoneInPolarNight) {
  const Image map = WalkPrayerMap(0, 0.4);
  // Below latitude -67 the sun stays down all day in the northern summer.
  for (int n = 0; n < 45; ++n) {
    EXPECT_TRUE(ColumnsOf(map, n, PrayerPalette[11]).empty()) << "row " << n;
    EXPECT_TRUE(ColumnsOf(map, n, PrayerPalette[12]).empty()) << "row " << n;
  }
  // At latitude 40 north the afternoon crosses each threshold once, ASR-I first.
  const std::vector<int> asr1 = ColumnsOf(map, 289, PrayerPalette[11]);
  const std::vector<int> asr2 = ColumnsOf(map, 289, PrayerPalette[12]);
  ASSERT_EQ(asr1.size(), 1u);
  ASSERT_EQ(asr2.size(), 1u);
  EXPECT_GT(asr1[0], 400);
  EXPECT_GT(asr2[0], asr1[0]);
}

TEST(WorldMap, LinePixelDoesNotBecomeThePreviousPixel) {
  // Walk to row 289 and find its ASR-I pixel; walk again with the noon
  // line moved onto that pixel: the Asr test then passes to the next pixel,
  // compared with the pixel before the line.
  auto walkTo = [](PrayerMapWalk& walk, int lastRow) {
    for (int n = 0; n < lastRow; ++n) {
      for (int x = 0; x < 800; ++x) PrayerMapColour(walk, x, n, 0);
    }
  };
  PrayerMapWalk first = StartPrayerMap(800, 400, 0, 0.4, -18.0f, -17.0f);
  walkTo(first, 289);
  int asrColumn = -1;
  for (int x = 0; x < 800 && asrColumn < 0; ++x) {
    if (PrayerMapColour(first, x, 289, 0) == PrayerPalette[11]) asrColumn = x;
  }
  ASSERT_GT(asrColumn, 0);

  PrayerMapWalk second = StartPrayerMap(800, 400, 0, 0.4, -18.0f, -17.0f);
  walkTo(second, 289);
  PrayerMapColour(second, 0, 289, 0);
  second.noonColumn = asrColumn - 1;
  second.midDayColumn = second.noonColumn;
  for (int x = 1; x < asrColumn; ++x) PrayerMapColour(second, x, 289, 0);
  EXPECT_EQ(PrayerMapColour(second, asrColumn, 289, 0), PrayerPalette[10]);
  EXPECT_EQ(PrayerMapColour(second, asrColumn + 1, 289, 0), PrayerPalette[11]);
}

TEST(WorldMap, PrayerMapDayAndNightOnLandAndSea) {
  // Land west of Greenwich; 12:00 UT at the March equinox.
  const std::vector<uint8_t> dib = MakeEarthDib(800, 400, [](int x, int) { return x < 400; });
  AstroState s = StateAt(0, 0, 0, 20, 3, 2014, 12, 0);
  WorldMapJob job;
  job.state = &s;
  job.latitude = 9000;
  job.earthBitmap = dib.data();
  Image map;
  ASSERT_TRUE(BuildWorldMap(kPrayerMap, job, &map));
  EXPECT_EQ(map.At(350, 199), PrayerPalette[8]) << "land by day";
  EXPECT_EQ(map.At(450, 199), PrayerPalette[4]) << "sea by day";
  EXPECT_EQ(map.At(20, 199), PrayerPalette[5]) << "land at night";
  EXPECT_EQ(map.At(780, 199), PrayerPalette[1]) << "sea at night";
}

TEST(WorldMap, QiblaSectorAtLatitudeAndLongitudeZero) {
  EXPECT_NEAR(QiblaMapBearing(800, 400, 400, 200), 238.508, kBearingTolerance);
  EXPECT_EQ(QiblaMapColour(800, 400, 400, 200, 1), (Rgb{255, 255, 255})) << "sector 15, land";
  EXPECT_EQ(QiblaMapColour(800, 400, 400, 200, 0), (Rgb{0, 0, 0})) << "sector 15, sea";
}

TEST(WorldMap, QiblaSectorsAgreeWithTheQiblaAngle) {
  // The engine's own bearing for a place on a pixel corner, turned by 180
  // degrees, falls into the same sector as the map's, away from the edges.
  const struct {
    const char* name;
    int x, n;
  } cases[] = {{"new_york", 215, 290}, {"jakarta", 635, 185}, {"cape_town", 440, 125},
               {"tokyo", 710, 280},    {"london", 400, 315}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s;
    const int latitude = (c.n * 18000) / 400 - 9000;
    const int longitude = (c.x * 36000) / 800 - 18000;
    SetLocation(s, static_cast<int16_t>(latitude), static_cast<int16_t>(longitude), 0);
    const double engine = std::fmod(GetQiblaAngle(s) / 10.0 + 180, 360);
    const double map = QiblaMapBearing(800, 400, c.x, c.n);
    EXPECT_NEAR(map, engine, 0.15);
    if (std::fmod(map, 15) > 0.2 && std::fmod(map, 15) < 14.8) {
      EXPECT_EQ(static_cast<int>(map) / 15, static_cast<int>(engine) / 15);
    }
  }
}

TEST(WorldMap, DeclinationBands) {
  const struct {
    const char* name;
    float declination;
    int bit;
    Rgb expected;
  } cases[] = {
      {"west_7_9_band_1", -7.9f, 0, {255, 0, 0}},
      {"east_7_9_band_1", 7.9f, 0, {255, 0, 0}},
      {"east_4_99_band_0_land", 4.99f, 1, {128, 128, 128}},
      {"east_5_band_1_land", 5.0f, 1, {128, 0, 0}},
      {"west_32_band_6", -32.0f, 0, {0, 255, 128}},
      {"east_64_9_band_12", 64.9f, 0, {255, 0, 128}},
      {"west_65_band_13", -65.0f, 0, {64, 64, 64}},
      {"west_120_band_13_land", -120.0f, 1, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DeclinationBandColour(c.declination, c.bit), c.expected) << c.name;
  }
}

TEST(WorldMap, DeclinationMapLeavesTheObserversDriftToBeComputedAgain) {
  const std::vector<uint8_t> dib = MakeEarthDib(32, 16, [](int x, int) { return x < 16; });
  AstroState s = StateAt(4101, 2897, 180, 1, 7, 2014, 12, 0);
  ASSERT_EQ(GetMagneticDeclination(s, 0), 51);
  WorldMapJob job;
  job.state = &s;
  job.latitude = 4101;
  job.longitude = 2897;
  job.earthBitmap = dib.data();
  Image map;
  ASSERT_TRUE(BuildWorldMap(kDeclinationMap, job, &map));
  EXPECT_EQ(s.MagneticValid, 0);
  EXPECT_EQ(GetMagneticDeclination(s, 0), 51);
}

TEST(WorldMap, DeclinationMapEqualsPointByPointEvaluation) {
  const std::vector<uint8_t> dib =
      MakeEarthDib(160, 80, [](int x, int row) { return (x / 7 + row / 5) % 2 == 0; });
  const struct {
    const char* name;
    int16_t year;
    int sightAltitude;
  } cases[] = {{"2014_ground", 2014, 0}, {"2025_extrapolated_high", 2025, 1500}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s = StateAt(4101, 2897, 180, 1, 7, c.year, 12, 0);
    AstroState point = s;
    WorldMapJob job;
    job.state = &s;
    job.latitude = 9000;
    job.longitude = -18000;
    job.sightAltitude = c.sightAltitude;
    job.earthBitmap = dib.data();
    Image map;
    ASSERT_TRUE(BuildWorldMap(kDeclinationMap, job, &map));
    int bands = 0;
    Rgb last;
    for (int n = 0; n < 80; ++n) {
      for (int x = 0; x < 160; ++x) {
        if (x == 0 && n == 79) continue;  // the observer's marker
        const int bit = (x / 7 + n / 5) % 2 == 0 ? 1 : 0;
        const Rgb expected =
            DeclinationMapColour(point, 160, 80, static_cast<float>(c.sightAltitude * 0.001), x, n, bit);
        ASSERT_EQ(map.At(x, 79 - n), expected) << x << ", " << n;
        bands += expected == last ? 0 : 1;
        last = expected;
      }
    }
    EXPECT_GT(bands, 100);
    // The last pixel's field stays in the engine, as point by point.
    EXPECT_EQ(s.magDeclination, point.magDeclination);
    EXPECT_EQ(s.magHorizontal, point.magHorizontal);
  }
}

TEST(WorldMap, DrawnAtTheMasksSizeThenStretchedOverTheCanvas) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  WorldMapJob job;
  job.state = &s;
  job.latitude = 4101;
  job.longitude = 2897;
  RecordingCanvas canvas(1024, 768);
  ASSERT_TRUE(DrawWorldMap(kQiblaMap, canvas, job));
  ASSERT_EQ(canvas.Calls().size(), 1u);
  const DrawCall& call = canvas.Calls()[0];
  EXPECT_EQ(call.kind, DrawKind::kStretchImage);
  EXPECT_EQ(call.picture.width, 800);
  EXPECT_EQ(call.picture.height, 400);
  EXPECT_EQ((std::vector<int>{call.x, call.y, call.a, call.b}), (std::vector<int>{0, 0, 1024, 768}));
}

}  // namespace
}  // namespace korvana
