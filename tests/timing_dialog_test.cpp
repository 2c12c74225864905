// The Timing dialog's texts without a window: title, timings, calendar and
// the two sizes. Texts are Windows-1252 ("\260" is the degree sign).

#include <gtest/gtest.h>

#include <string>

#include "dialogs/timing_dialog.h"
#include "resources/dialog_ids.h"

namespace korvana {
namespace {

TEST(TimingDialog, Title) {
  const struct {
    const char* name;
    int latitude, longitude, zone;
    const char* title;
  } cases[] = {
      {"istanbul", 4101, 2897, 180, "Istanbul / Turkey  (41.01\260N, 28.97\260E, +3.00)"},
      {"south_west", -3387, -15123, -330, "Istanbul / Turkey  (33.87\260S, 151.23\260W, -5.50)"},
      {"zero", 0, 0, 0, "Istanbul / Turkey  ( 0.00\260N,  0.00\260E, +0.00)"},
      {"daylight_saving_included", 5150, -12, 60, "Istanbul / Turkey  (51.50\260N,  0.12\260W, +1.00)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatTimingTitle("Istanbul", "Turkey", c.latitude, c.longitude, c.zone), c.title);
  }
}

TEST(TimingDialog, TimingValues) {
  EXPECT_EQ(FormatTimingValue(0), "00:00");
  EXPECT_EQ(FormatTimingValue(65), "01:05");
  EXPECT_EQ(FormatTimingValue(1439), "23:59");
}

TEST(TimingDialog, SizesAndViewButton) {
  EXPECT_EQ(TimingDialogSize(false).width, 117);
  EXPECT_EQ(TimingDialogSize(false).height, 230);
  EXPECT_EQ(TimingDialogSize(true).width, 254);
  EXPECT_EQ(TimingDialogSize(true).height, 301);
  EXPECT_STREQ(TimingViewButtonText(false), ">>");
  EXPECT_STREQ(TimingViewButtonText(true), "<<");
}

TEST(TimingDialog, WeekdayShortNames) {
  const char* expected[8] = {"", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  for (int i = 0; i < 8; ++i) EXPECT_STREQ(WeekdayShortName[i], expected[i]) << i;
}

TEST(TimingDialog, CalendarLines) {
  const LocalDateTime noon{2014, 7, 1, 28, 12, 5, 0, 0};
  CalendarFacts holy;
  holy.weekday = 1;
  holy.holyDay = "1. Day of Eid-al-Fitr";
  holy.hijriDay = 1;
  holy.hijriMonth = 10;
  holy.hijriYear = 1435;
  EXPECT_EQ(FormatTimingCalendar(noon, holy),
            "28 July 2014 Mon 12:05\n1 Shawwal 1435\n1. Day of Eid-al-Fitr");
  CalendarFacts ordinary = holy;
  ordinary.holyDay = "";
  EXPECT_EQ(FormatTimingCalendar(noon, ordinary), "28 July 2014 Mon 12:05\n\n1 Shawwal 1435\n");
  // The year takes four places at least.
  const LocalDateTime early{999, 1, 0, 2, 0, 0, 0, 0};
  CalendarFacts facts;
  facts.weekday = 7;
  facts.hijriDay = 5;
  facts.hijriMonth = 1;
  facts.hijriYear = 390;
  EXPECT_EQ(FormatTimingCalendar(early, facts), "2 January  999 Sun 00:00\n\n5 Muharram  390\n");
}

// A whole refresh for Istanbul from the engine: the Hijri dates and holy
// days agree with the published calendar of 2014.
TEST(TimingDialog, RefreshFromTheEngine) {
  const struct {
    const char* name;
    uint16_t day, month;
    const char* calendar;
  } cases[] = {
      {"eid_al_fitr", 28, 7, "28 July 2014 Mon 12:30\n1 Shawwal 1435\n1. Day of Eid-al-Fitr"},
      {"eid_al_adha", 4, 10, "4 October 2014 Sat 12:30\n10 Dhil-Hijja 1435\n1. Day of Eid-al-Adha"},
      {"ordinary_day", 21, 6, "21 June 2014 Sat 12:30\n\n23 Sha'aban 1435\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramState state;
    state.calc.cityName = "Istanbul";
    state.calc.countryName = "Turkey";
    state.calc.latitude = 4101;
    state.calc.longitude = 2897;
    state.calc.timeZone = 120;  // the engine's offset (daylight saving included) is shown
    SetLocation(state.astro, 4101, 2897, 180);
    SetDate(state.astro, c.day, c.month, 2014);
    SetTime(state.astro, 12, 30);
    state.CurrentDateTime = {2014, c.month, 0, c.day, 12, 30, 0, 0};
    for (int i = 0; i < 10; ++i) state.TodayTimings[i] = static_cast<int16_t>(300 + 90 * i);
    const TimingDialogTexts texts = BuildTimingDialogTexts(state);
    EXPECT_EQ(texts.title, "Istanbul / Turkey  (41.01\260N, 28.97\260E, +3.00)");
    EXPECT_EQ(texts.timings[0], "05:00");
    EXPECT_EQ(texts.timings[9], "18:30");
    EXPECT_EQ(texts.calendar, c.calendar);
    EXPECT_EQ(texts.astro.rows[0].valueId, IDC_QIBLA);
  }
}

}  // namespace
}  // namespace korvana
