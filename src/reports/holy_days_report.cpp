#include "reports/holy_days_report.h"

#include "engine/hijri.h"
#include "platform/file_replace.h"
#include "reports/report_text.h"

namespace korvana {

std::string FormatHolyDaysReport(AstroState& engine, int year) {
  std::string text;
  AppendFormat(text, "\n\t\t  Holy Days of Year %d\n\t\t--------------------------\n\n", year);
  // The engine's plain leap rule: every year divisible by 4, 2100 included.
  const int days = year % 4 == 0 ? 366 : 365;
  for (int i = 1; i <= days; ++i) {
    // A day beyond 31 in January counts on into the year.
    SetDate(engine, static_cast<int16_t>(i), 1, static_cast<int16_t>(year));
    const char* name = GetHolyDayName(engine);
    if (name == nullptr || name[0] == '\0') continue;
    int16_t month = 0;
    int16_t day = 0;
    MonthFromDayOfYear(engine, static_cast<int16_t>(i), &month, &day);
    AppendFormat(text, "\t%3d %-9s  %-9s   %s\n", day, MonthName(month),
                 WeekdayName(GetWeekday(engine)), name);
  }
  return WithCrLf(text);
}

bool WriteHolyDaysReport(const std::string& path, AstroState& engine, int year,
                         int32_t* tickCountdown) {
  if (tickCountdown != nullptr) *tickCountdown = 9;
  const bool written = ReplaceFileContents(path, FormatHolyDaysReport(engine, year));
  if (tickCountdown != nullptr) *tickCountdown = 0;
  return written;
}

}  // namespace korvana
