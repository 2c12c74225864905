#include <gtest/gtest.h>

#include "engine/moon.h"
#include "engine/sun.h"

namespace korvana {
namespace {

struct MoonCase {
  const char* name;
  int16_t lat, lon, tz;  // hundredths of a degree; minutes east of UT
  int16_t day, month, year, hour, minute;
  int16_t phase, illumination, elevation, azimuth, visibility;
};

// Default crescent setting (50) and sight altitude (0).
const MoonCase kMoonCases[] = {
    {"istanbul_waxing_gibbous", 4101, 2897, 180, 5, 7, 2014, 20, 0, 923, 520, 397, 1974, 100},
    {"istanbul_thin_crescent_low", 4101, 2897, 180, 28, 7, 2014, 20, 45, 197, 30, 9, 2804, -100},
    {"istanbul_crescent_seen", 4101, 2897, 180, 29, 7, 2014, 20, 45, 306, 70, 64, 2709, 100},
    {"lunar_eclipse_2014_04_15", 0, 0, 0, 15, 4, 2014, 7, 46, 1801, 999, -268, 2588, -95},
    {"solar_eclipse_2015_03_20", 0, 0, 0, 20, 3, 2015, 9, 46, 3, 0, 541, 885, 56},
    {"new_moon_too_thin", 0, 0, 0, 20, 3, 2015, 6, 0, 3580, 0, -7, 899, 0},
};

AstroState At(int16_t lat, int16_t lon, int16_t tz, int16_t day, int16_t month, int16_t year,
              int16_t hour, int16_t minute) {
  AstroState s;
  SetLocation(s, lat, lon, tz);
  SetDate(s, day, month, year);
  SetTime(s, hour, minute);
  return s;
}

TEST(Moon, PositionPhaseAndVerdict) {
  for (const MoonCase& c : kMoonCases) {
    SCOPED_TRACE(c.name);
    AstroState s = At(c.lat, c.lon, c.tz, c.day, c.month, c.year, c.hour, c.minute);
    EXPECT_EQ(GetMoonPhase(s), c.phase);
    EXPECT_EQ(GetMoonIllumination(s), c.illumination);
    EXPECT_EQ(GetMoonElevation(s), c.elevation);
    EXPECT_EQ(GetMoonAzimuth(s), c.azimuth);
    EXPECT_EQ(GetMoonVisibility(s, 50, 0), c.visibility);
  }
}

TEST(Moon, DistancesAndLatitude) {
  AstroState s = At(4101, 2897, 180, 5, 7, 2014, 20, 0);
  EXPECT_EQ(GetMoonDistance(s, 1), 3892);  // topocentric, hundreds of km
  EXPECT_EQ(GetMoonDistance(s, 0), 3933);  // geocentric
  EXPECT_EQ(GetSunDistance(s), 1520);      // tenths of a million km
  EXPECT_EQ(GetMoonLatitude(s), -7);       // tenths of a degree
}

TEST(Moon, KeptCopiesSurviveSolarEvaluations) {
  AstroState s = At(4101, 2897, 180, 5, 7, 2014, 20, 0);
  GetMoonPhase(s);
  // Each of these overwrites the shared fields the lunar computation used.
  GetSunAzimuth(s);
  GetSunEclipticLongitude(s);
  EXPECT_EQ(GetSunDistance(s), 1520);
  EXPECT_EQ(GetMoonIllumination(s), 520);
  EXPECT_EQ(GetMoonVisibility(s, 50, 0), 100);
  EXPECT_EQ(GetMoonAzimuth(s), 1974);
}

TEST(Moon, EclipseVerdictIsTheSameEverywhere) {
  // The same two instants (UT) seen from places in other time zones.
  const struct {
    const char* name;
    int16_t lat, lon, tz;
  } places[] = {
      {"greenwich", 0, 0, 0},
      {"istanbul", 4101, 2897, 180},
      {"sydney", -3387, 15120, 600},
      {"london_minus5", 5150, -12, -300},
      {"lapland", 7000, 2500, 120},
  };
  for (const auto& p : places) {
    SCOPED_TRACE(p.name);
    const int16_t solarClock = static_cast<int16_t>(9 * 60 + 46 + p.tz);  // 09:46 UT
    AstroState solar = At(p.lat, p.lon, p.tz, 20, 3, 2015, solarClock / 60, solarClock % 60);
    EXPECT_EQ(GetMoonVisibility(solar, 50, 0), 56);
    const int16_t lunarClock = static_cast<int16_t>(7 * 60 + 46 + p.tz);  // 07:46 UT
    AstroState lunar = At(p.lat, p.lon, p.tz, 15, 4, 2014, lunarClock / 60, lunarClock % 60);
    EXPECT_EQ(GetMoonVisibility(lunar, 50, 0), -95);
  }
}

TEST(Moon, VisibilityKeptWhileSettingsUnchanged) {
  // The evening of 2014-07-28: a thin crescent low in the west at sunset.
  AstroState s = At(4101, 2897, 180, 28, 7, 2014, 20, 30);
  ASSERT_EQ(GetMoonVisibility(s, 50, 0), -100);
  // A marker in the kept copy shows whether the next call recomputed.
  constexpr int16_t kMarker = 42;
  s.keptVisibility = kMarker;
  EXPECT_EQ(GetMoonVisibility(s, 50, 0), kMarker);
  // An observer 5000 m up sees it over the lowered horizon ...
  EXPECT_EQ(GetMoonVisibility(s, 50, 5000), 100);
  EXPECT_EQ(s.sightAltitude, 5000);
  EXPECT_GT(s.horizonDip, 2.0f);
  // ... until a stricter crescent setting asks for a darker sky.
  s.keptVisibility = kMarker;
  EXPECT_EQ(GetMoonVisibility(s, 100, 5000), -100);
  EXPECT_EQ(s.crescentVisibility, 100);
}

TEST(Moon, NegativeSightAltitudeCountsAsGround) {
  // The setting is read from the settings file unchecked.
  for (const MoonCase& c : kMoonCases) {
    SCOPED_TRACE(c.name);
    AstroState s = At(c.lat, c.lon, c.tz, c.day, c.month, c.year, c.hour, c.minute);
    EXPECT_EQ(GetMoonVisibility(s, 50, -430), c.visibility);
    EXPECT_EQ(s.horizonDip, 0.0f);
  }
}

TEST(Moon, SetTimeInvalidatesLunarResults) {
  AstroState s = At(4101, 2897, 180, 5, 7, 2014, 20, 0);
  const int16_t at20 = GetMoonAzimuth(s);
  SetTime(s, 22, 0);
  EXPECT_EQ(s.MoonValid, 0);
  const int16_t at22 = GetMoonAzimuth(s);
  EXPECT_NE(at22, at20);
  AstroState fresh = At(4101, 2897, 180, 5, 7, 2014, 22, 0);
  EXPECT_EQ(at22, GetMoonAzimuth(fresh));
}

TEST(Moon, GettersComputeOnlyWhenStale) {
  AstroState s = At(4101, 2897, 180, 5, 7, 2014, 20, 0);
  GetMoonPhase(s);
  ASSERT_EQ(s.MoonValid, 1);
  // With the results current the getters read the stored fields.
  s.moonAzimuth = 1234;
  EXPECT_EQ(GetMoonAzimuth(s), 1234);
  // GetMoonPhase always recomputes.
  GetMoonPhase(s);
  EXPECT_EQ(GetMoonAzimuth(s), 1974);
}

}  // namespace
}  // namespace korvana
