#include <gtest/gtest.h>

#include <string>

#include "engine/astro_state.h"

namespace korvana {
namespace {

struct DateCase {
  const char* name;
  int16_t day, month, year;
  int32_t dayNumber;
  int16_t weekday;
};

TEST(Calendar, DayNumberAndWeekday) {
  const DateCase cases[] = {
      {"epoch", 1, 1, 2000, 0, 6},
      {"leap_march", 1, 3, 2000, 60, 3},
      {"next_year", 1, 1, 2001, 366, 1},
      {"eve_of_epoch", 31, 12, 1999, -1, 5},
      {"first_monday", 3, 1, 2000, 2, 1},
      {"day_32_of_january", 32, 1, 2014, 5145, 6},
      {"february_first", 1, 2, 2014, 5145, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s;
    SetDate(s, c.day, c.month, c.year);
    EXPECT_EQ(DayNumber(s), c.dayNumber);
    EXPECT_EQ(GetWeekday(s), c.weekday);
  }
}

TEST(Calendar, DayOfYearOfMarchFirst) {
  const struct {
    int16_t year;
    int16_t expected;
  } cases[] = {{2014, 60}, {2012, 61}, {1900, 61}, {2100, 61}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.year);
    AstroState s;
    SetDate(s, 1, 3, c.year);
    EXPECT_EQ(DayOfYear(s), c.expected);
  }
}

TEST(Calendar, MonthFromDayOfYear) {
  const struct {
    const char* name;
    int16_t year, dayOfYear, month, day, result;
  } cases[] = {
      {"leap_feb_29", 2012, 60, 2, 29, 60},
      {"leap_march_1", 2012, 61, 3, 1, 91},
      {"past_common_year", 2014, 366, 13, 1, 999},
      {"january_first", 2014, 1, 1, 1, 31},
      {"december_31", 2014, 365, 12, 31, 365},
      {"zero", 2014, 0, 1, 0, 31},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s;
    SetDate(s, 1, 1, c.year);
    int16_t month = -1, day = -1;
    EXPECT_EQ(MonthFromDayOfYear(s, c.dayOfYear, &month, &day), c.result);
    EXPECT_EQ(month, c.month);
    EXPECT_EQ(day, c.day);
  }
}

TEST(Calendar, WrapMinutes) {
  const struct {
    int16_t in, out;
  } cases[] = {{-7, 1433}, {1445, 5}, {-1, 1439}, {1440, 0}, {1500, 60}, {-1440, 0}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(WrapMinutes(c.in), c.out) << c.in;
}

TEST(Calendar, NameTables) {
  EXPECT_STREQ(HijriMonthName(0), "");
  EXPECT_STREQ(WeekdayName(0), "");
  EXPECT_STREQ(MonthName(0), "");
  EXPECT_STREQ(HijriMonthName(9), "Ramadhan");
  EXPECT_STREQ(HijriMonthName(12), "Dhil-Hijja");
  EXPECT_STREQ(WeekdayName(1), "Monday");
  EXPECT_STREQ(WeekdayName(7), "Sunday");
  EXPECT_STREQ(MonthName(12), "December");
}

TEST(Setters, CacheFlags) {
  AstroState s;
  s.HijriValid = s.MoonValid = s.MagneticValid = 1;
  SetTime(s, 13, 5);
  EXPECT_EQ(s.clockMinutes, 785);
  EXPECT_EQ(s.MoonValid, 0);
  EXPECT_EQ(s.HijriValid, 1);
  EXPECT_EQ(s.MagneticValid, 1);

  SetDate(s, 1, 1, 2014);
  EXPECT_EQ(s.HijriValid, 0);
  EXPECT_EQ(s.MagneticValid, 0);

  s.HijriValid = s.MoonValid = s.MagneticValid = 1;
  SetLocation(s, 4101, 2897, 180);
  EXPECT_EQ(s.HijriValid + s.MoonValid + s.MagneticValid, 0);
  EXPECT_FLOAT_EQ(s.longitudeMinutes, 115.88f);
  EXPECT_EQ(s.timeZone, 180);

  s.HijriValid = s.MoonValid = s.MagneticValid = 1;
  const int16_t margins[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  SetMargins(s, margins);
  SetCalcParams(s, -1950, -1700, 2);
  EXPECT_EQ(s.HijriValid + s.MoonValid + s.MagneticValid, 3);
  EXPECT_EQ(s.margins[0], 0);
  EXPECT_EQ(s.margins[10], 10);
  EXPECT_FLOAT_EQ(s.fajrAngle, -19.5f);
  EXPECT_EQ(s.calcMode, 2);
}

TEST(Setters, Defaults) {
  AstroState s;
  EXPECT_EQ(s.calcMode, 4);
  EXPECT_EQ(s.crescentVisibility, 50);
  const int16_t expected[11] = {0, -2, -7, 10, 0, 5, 5, 5, 0, 7, 2};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(s.margins[i], expected[i]) << i;
  EXPECT_EQ(s.fajrAngle, -18.0f);
  EXPECT_EQ(s.ishaAngle, -17.0f);
}

}  // namespace
}  // namespace korvana
