#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "engine/hijri.h"
#include "engine/moon.h"

namespace korvana {
namespace {

struct Place {
  const char* name;
  int16_t lat, lon, tz;  // hundredths of a degree; minutes east of UT
};

const Place kPlaces[] = {
    {"istanbul", 4101, 2897, 180},
    {"new_york", 4071, -7401, -300},
    {"sydney", -3387, 15120, 600},
    {"greenwich", 0, 0, 0},
};

struct HijriCase {
  const char* name;
  int16_t day, month, year;
  int16_t hijriDay, hijriMonth, hijriYear;
};

const HijriCase kHijriCases[] = {
    {"last_of_shaaban", 27, 6, 2014, 29, 8, 1435},
    {"first_of_ramadhan", 28, 6, 2014, 1, 9, 1435},
    {"thirtieth_of_ramadhan", 27, 7, 2014, 30, 9, 1435},
    {"first_of_shawwal", 28, 7, 2014, 1, 10, 1435},
};

TEST(Hijri, DatesOfRamadhan2014AtEveryPlace) {
  for (const Place& p : kPlaces) {
    for (const HijriCase& c : kHijriCases) {
      SCOPED_TRACE(std::string(p.name) + " " + c.name);
      AstroState s;
      SetLocation(s, p.lat, p.lon, p.tz);
      SetDate(s, c.day, c.month, c.year);
      EXPECT_EQ(GetHijriDay(s), c.hijriDay);
      EXPECT_EQ(GetHijriMonth(s), c.hijriMonth);
      EXPECT_EQ(GetHijriYear(s), c.hijriYear);
      EXPECT_EQ(s.day, c.day) << "the search must restore the date";
    }
  }
}

// Every named date of 2014, keyed by (month, day).
const std::map<std::pair<int, int>, std::string> kHolyDays2014 = {
    {{1, 12}, "Mawlid-al Nabi"},
    {{4, 30}, "Start of Holy Months"},
    {{5, 1}, "Lailatul-Raghaib"},
    {{5, 25}, "Lailatul-Me'rac"},
    {{6, 12}, "Nisfu-Sha'aban"},
    {{6, 28}, "1. Day of Ramadhan"},
    {{7, 19}, "Lailatul-Qadr(Sharani)"},
    {{7, 23}, "Lailatul-Qadr (R.27)"},
    {{7, 28}, "1. Day of Eid-al-Fitr"},
    {{7, 29}, "2. Day of Eid-al-Fitr"},
    {{7, 30}, "3. Day of Eid-al-Fitr"},
    {{10, 3}, "A'rafa"},
    {{10, 4}, "1. Day of Eid-al-Adha"},
    {{10, 5}, "2. Day of Eid-al-Adha"},
    {{10, 6}, "3. Day of Eid-al-Adha"},
    {{10, 7}, "4. Day of Eid-al-Adha"},
    {{10, 25}, "Hijri New Year"},
    {{11, 3}, "Day of Ashura"},
};

TEST(Hijri, HolyDaysOf2014AndNoOthers) {
  static const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const Place& p : {kPlaces[0], kPlaces[1]}) {
    AstroState s;
    SetLocation(s, p.lat, p.lon, p.tz);
    int named = 0;
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= kDaysInMonth[month - 1]; ++day) {
        SetDate(s, static_cast<int16_t>(day), static_cast<int16_t>(month), 2014);
        const auto found = kHolyDays2014.find({month, day});
        const std::string expected = found == kHolyDays2014.end() ? "" : found->second;
        EXPECT_EQ(GetHolyDayName(s), expected) << p.name << " 2014-" << month << "-" << day;
        if (!expected.empty()) ++named;
      }
    }
    EXPECT_EQ(named, static_cast<int>(kHolyDays2014.size()));
  }
}

TEST(Hijri, DaysFollowEachOtherForThirtyYears) {
  // Each civil day is the next Hijri day, or day 1 of the next month.
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  int previousDay = 0, previousMonth = 0, previousYear = 0;
  for (int year = 2000; year < 2030; ++year) {
    const int days = (year & 3) == 0 ? 366 : 365;
    for (int dayOfYear = 1; dayOfYear <= days; ++dayOfYear) {
      SetDate(s, static_cast<int16_t>(dayOfYear), 1, static_cast<int16_t>(year));
      const int day = GetHijriDay(s), month = GetHijriMonth(s), hijriYear = GetHijriYear(s);
      if (previousDay != 0) {
        const bool sameMonth = day == previousDay + 1 && month == previousMonth &&
                               hijriYear == previousYear;
        const bool nextMonth =
            day == 1 && ((month == previousMonth + 1 && hijriYear == previousYear) ||
                         (month == 1 && previousMonth == 12 && hijriYear == previousYear + 1));
        ASSERT_TRUE(sameMonth || nextMonth)
            << year << " day " << dayOfYear << ": " << day << "/" << month << "/" << hijriYear
            << " after " << previousDay << "/" << previousMonth << "/" << previousYear;
      }
      ASSERT_LE(day, 30);
      previousDay = day;
      previousMonth = month;
      previousYear = hijriYear;
    }
  }
}

TEST(Hijri, NewYearNamesTheNextYearOnlyAfterIt) {
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  SetDate(s, 25, 10, 2014);
  EXPECT_STREQ(GetHolyDayName(s), "Hijri New Year");
  EXPECT_EQ(GetHijriYear(s), 1436);
  EXPECT_EQ(GetHijriMonth(s), 1);
}

TEST(Hijri, SetTimeKeepsTheMonthCached) {
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  SetDate(s, 28, 6, 2014);
  ASSERT_EQ(GetHijriDay(s), 1);
  // A marker in the stored month shows whether a getter searched again.
  constexpr int16_t kMarker = 77;
  s.hijriMonth = kMarker;
  SetTime(s, 13, 5);
  EXPECT_EQ(GetHijriMonth(s), kMarker);
  SetDate(s, 28, 6, 2014);
  EXPECT_EQ(GetHijriMonth(s), 9);
  EXPECT_EQ(s.HijriValid, 1);
  s.hijriYear = kMarker;
  SetLocation(s, 4101, 2897, 120);
  EXPECT_EQ(GetHijriYear(s), 1435);
}

TEST(Hijri, HolyDayLeavesTheCurrentDatesMonthAndYear) {
  const struct {
    const char* name;
    int16_t day, month, year, hijriMonth, hijriYear;
  } cases[] = {
      {"eve_of_shawwal", 27, 7, 2014, 9, 1435},
      {"eve_of_new_year", 24, 10, 2014, 12, 1435},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s;
    SetLocation(s, 4101, 2897, 180);
    SetDate(s, c.day, c.month, c.year);
    GetHolyDayName(s);
    EXPECT_EQ(s.day, c.day);
    EXPECT_EQ(s.HijriValid, 1);
    EXPECT_EQ(GetHijriMonth(s), c.hijriMonth);
    EXPECT_EQ(GetHijriYear(s), c.hijriYear);
  }
}

TEST(Hijri, SearchLeavesTheMoonStale) {
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  SetDate(s, 5, 7, 2014);
  SetTime(s, 20, 0);
  GetMoonPhase(s);
  GetHijriDay(s);
  EXPECT_EQ(s.MoonValid, 0);
  // The next lunar getter computes for the clock time again.
  EXPECT_EQ(GetMoonAzimuth(s), 1974);
  EXPECT_EQ(GetMoonElevation(s), 397);
}

}  // namespace
}  // namespace korvana
