#pragma once
// The Timing dialog's texts: its title, the ten timings, the calendar and
// (through timing_rows) the angles and astronomical data, and its two sizes.
// Texts are in Windows-1252 ("\260" is the degree sign).

#include <array>
#include <cstdint>
#include <string>

#include "dialogs/timing_rows.h"
#include "engine/astro_state.h"
#include "platform/local_clock.h"
#include "shell/program_state.h"

namespace korvana {

// Weekday abbreviations by the engine's weekday 1..7 (1 = Monday); index 0
// is the empty string.
extern const char* const WeekdayShortName[8];

// The dialog's outer size in dialog units: the full view with everything,
// the compact one with the Timings group and its two buttons only.
struct DialogUnitsSize {
  int width;
  int height;
};
DialogUnitsSize TimingDialogSize(bool expanded);
// The view button's text: "<<" in the full view, ">>" in the compact one.
const char* TimingViewButtonText(bool expanded);

// "%s / %s  (%5.2f\260%c, %5.2f\260%c, %+5.2f)": names, |latitude| with N/S,
// |longitude| with E/W (hundredths of a degree), the engine's zone offset in
// hours (minutes / 60, daylight saving included).
std::string FormatTimingTitle(const std::string& cityName, const std::string& countryName,
                              int latitudeHundredths, int longitudeHundredths,
                              int zoneMinutes);

// "%02d:%02d" of a minute of the day.
std::string FormatTimingValue(int minuteOfDay);

// The calendar's three lines: the civil date, weekday and time; then the
// Hijri date on the second line with the holy day's name on the third, or
// an empty second line and the Hijri date on the third.
struct CalendarFacts {
  int16_t weekday = 0;  // engine weekday 1..7, 1 = Monday
  std::string holyDay;  // "" on ordinary days
  int16_t hijriDay = 0;
  int16_t hijriMonth = 0;
  int16_t hijriYear = 0;
};
std::string FormatTimingCalendar(const LocalDateTime& current, const CalendarFacts& facts);

// Reads the calendar facts from the engine in the dialog's order: holy day,
// Hijri year, month, day, then the weekday.
CalendarFacts ReadCalendarFacts(AstroState& s);

struct TimingDialogTexts {
  std::string title;
  std::array<std::string, 10> timings;  // values 1121..1130
  std::string calendar;                 // 1132
  TimingAstroData astro;                // rows 1133..1147 and the moon line 1148
};

// Everything one refresh shows: the engine at its current place, date and
// time (with the crescent and sight-altitude parameters it holds), the
// location's names and coordinates, TodayTimings and CurrentDateTime.
TimingDialogTexts BuildTimingDialogTexts(ProgramState& state);

}  // namespace korvana
