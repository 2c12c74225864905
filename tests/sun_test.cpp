#include <gtest/gtest.h>

#include <cmath>

#include "engine/sun.h"
#include "engine/units.h"

namespace korvana {
namespace {

AstroState At(int16_t lat, int16_t lon, int16_t tz, int16_t d, int16_t m, int16_t y,
              int16_t hour, int16_t minute) {
  AstroState s;
  SetLocation(s, lat, lon, tz);
  SetDate(s, d, m, y);
  SetTime(s, hour, minute);
  return s;
}

TEST(Sun, HourAngleMatchesEvaluationTime) {
  AstroState s = At(4101, 2897, 180, 21, 6, 2014, 9, 30);
  s.evalMinutes = s.clockMinutes;
  UpdateSunAtTime(s);
  ASSERT_TRUE(std::isfinite(s.workValue));
  const double back = TransitClockTime(s) + s.workValue * 720 / kPi;
  EXPECT_NEAR(back, s.evalMinutes, 0.01);
}

TEST(Sun, EvaluationDoesNotDependOnHeldTransit) {
  AstroState s = At(4101, 2897, 180, 21, 6, 2014, 9, 30);
  s.evalMinutes = s.clockMinutes;
  UpdateSunAtTime(s);
  const AstroState first = s;
  UpdateSunAtTime(s);
  EXPECT_EQ(s.transit, first.transit);
  EXPECT_EQ(s.declination, first.declination);
  EXPECT_EQ(s.workValue, first.workValue);
  EXPECT_EQ(s.sunElevation, first.sunElevation);
}

TEST(Sun, EquationOfTime) {
  const struct {
    int16_t day, month, expected;
  } cases[] = {{3, 11, 164}, {11, 2, -142}};
  for (const auto& c : cases) {
    AstroState s = At(0, 0, 0, c.day, c.month, 2014, 12, 0);
    EXPECT_EQ(GetEquationOfTime(s), c.expected) << c.day << "/" << c.month;
  }
}

TEST(Sun, AzimuthAroundTransit) {
  const struct {
    const char* name;
    int16_t lat, lon, tz, hour, minute, expected;
  } cases[] = {
      {"istanbul_before_transit", 4101, 2897, 180, 13, 5, 1793},
      {"istanbul_after_transit", 4101, 2897, 180, 13, 6, 1801},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s = At(c.lat, c.lon, c.tz, 21, 6, 2014, c.hour, c.minute);
    EXPECT_EQ(GetSunAzimuth(s), c.expected);
  }
  AstroState s = At(4101, 2897, 180, 21, 6, 2014, 13, 5);
  s.workValue = 0;
  ComputeSunPosition(s);
  EXPECT_NEAR(TransitClockTime(s), 785.8, 0.1);
}

TEST(Sun, AzimuthNearZeroAtSouthernTransit) {
  // South of the sun, it transits due north: at the transit minute (13:05 for
  // the same meridian and zone as Istanbul) the azimuth has just passed 0.
  AstroState s = At(-3387, 2897, 180, 21, 6, 2014, 13, 5);
  EXPECT_EQ(GetSunAzimuth(s), 2);
}

TEST(Sun, Qibla) {
  const struct {
    int16_t lat, lon, expected;
  } cases[] = {{4101, 2897, 1516}, {5150, -12, 1189}, {-3387, 15120, 2776},
               {4000, 3983, 1801}, {4000, 3982, 1799}};
  for (const auto& c : cases) {
    AstroState s;
    SetLocation(s, c.lat, c.lon, 0);
    EXPECT_EQ(GetQiblaAngle(s), c.expected) << c.lat << "," << c.lon;
  }
}

TEST(Sun, EclipticLongitudeWrapsAtEquinox) {
  AstroState s = At(0, 0, 0, 20, 3, 2014, 12, 0);
  EXPECT_EQ(GetSunEclipticLongitude(s), 3597);
  SetTime(s, 18, 0);
  EXPECT_EQ(GetSunEclipticLongitude(s), 0);
}

TEST(Sun, ElevationAndDeclinationInRange) {
  AstroState s = At(4101, 2897, 180, 21, 6, 2014, 13, 5);
  const int elevation = GetSunElevation(s);
  EXPECT_GT(elevation, 700);  // about 72 degrees at the solstice noon
  EXPECT_LT(elevation, 730);
  EXPECT_EQ(GetSunDeclination(s), 234);
}

}  // namespace
}  // namespace korvana
