#include "dialogs/timing_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "engine/hijri.h"

namespace korvana {

const char* const WeekdayShortName[8] = {"", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

namespace {

constexpr DialogUnitsSize kFullSize = {254, 301};
constexpr DialogUnitsSize kCompactSize = {117, 230};

const char* ShortWeekday(int16_t weekday) {
  return weekday >= 1 && weekday <= 7 ? WeekdayShortName[weekday] : WeekdayShortName[0];
}

}  // namespace

DialogUnitsSize TimingDialogSize(bool expanded) { return expanded ? kFullSize : kCompactSize; }

const char* TimingViewButtonText(bool expanded) { return expanded ? "<<" : ">>"; }

std::string FormatTimingTitle(const std::string& cityName, const std::string& countryName,
                              int latitudeHundredths, int longitudeHundredths,
                              int zoneMinutes) {
  char text[160];
  std::snprintf(text, sizeof text, "%s / %s  (%5.2f\260%c, %5.2f\260%c, %+5.2f)",
                cityName.c_str(), countryName.c_str(), std::abs(latitudeHundredths) / 100.0,
                latitudeHundredths < 0 ? 'S' : 'N', std::abs(longitudeHundredths) / 100.0,
                longitudeHundredths < 0 ? 'W' : 'E', zoneMinutes / 60.0);
  return text;
}

std::string FormatTimingValue(int minuteOfDay) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minuteOfDay / 60),
                static_cast<int>(minuteOfDay % 60));
  return text;
}

std::string FormatTimingCalendar(const LocalDateTime& current, const CalendarFacts& facts) {
  char text[160];
  std::snprintf(text, sizeof text, "%u %s %4u %s %02u:%02u\n%s%u %s %4u\n%s",
                unsigned{current.day}, MonthName(static_cast<int16_t>(current.month)),
                unsigned{current.year}, ShortWeekday(facts.weekday), unsigned{current.hour},
                unsigned{current.minute}, facts.holyDay.empty() ? "\n" : "",
                static_cast<unsigned>(facts.hijriDay), HijriMonthName(facts.hijriMonth),
                static_cast<unsigned>(facts.hijriYear), facts.holyDay.c_str());
  return text;
}

CalendarFacts ReadCalendarFacts(AstroState& s) {
  CalendarFacts facts;
  facts.holyDay = GetHolyDayName(s);
  facts.hijriYear = GetHijriYear(s);
  facts.hijriMonth = GetHijriMonth(s);
  facts.hijriDay = GetHijriDay(s);
  facts.weekday = GetWeekday(s);
  return facts;
}

TimingDialogTexts BuildTimingDialogTexts(ProgramState& state) {
  AstroState& s = state.astro;
  TimingDialogTexts texts;
  texts.title = FormatTimingTitle(state.calc.cityName, state.calc.countryName,
                                  state.calc.latitude, state.calc.longitude, s.timeZone);
  for (int i = 0; i < 10; ++i) texts.timings[i] = FormatTimingValue(state.TodayTimings[i]);
  texts.calendar = FormatTimingCalendar(state.CurrentDateTime, ReadCalendarFacts(s));
  texts.astro = FormatTimingAstroData(s, s.crescentVisibility, s.sightAltitude,
                                      TimingTextEncoding::kWindows1252);
  return texts;
}

}  // namespace korvana
