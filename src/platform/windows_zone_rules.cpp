#include "platform/windows_zone_rules.h"

namespace korvana {
namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// 0 = Sunday .. 6 = Saturday (Sakamoto's rule).
int Weekday(int year, int month, int day) {
  static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

// Minutes since the start of the year, good enough to order moments of one year.
long MomentOfYear(int month, int day, int minuteOfDay) {
  return (static_cast<long>(month) * 32 + day) * 1440 + minuteOfDay;
}

}  // namespace

int TransitionDay(const ZoneTransition& t, int year) {
  if (t.year != 0) return t.day;
  const int first = Weekday(year, t.month, 1);
  int day = 1 + (t.dayOfWeek - first + 7) % 7 + 7 * (t.day - 1);
  while (day > DaysInMonth(year, t.month)) day -= 7;  // week 5: the last one
  return day;
}

ZoneOnDate EvaluateZoneOnDate(const YearZoneInformation& info, int year, int month, int day) {
  ZoneOnDate zone;
  zone.standardOffsetMinutes = -(info.bias + info.standardBias);
  if (info.standardDate.month == 0 || info.daylightDate.month == 0) return zone;
  const long noon = MomentOfYear(month, day, 12 * 60);
  const ZoneTransition& begin = info.daylightDate;
  const ZoneTransition& end = info.standardDate;
  const long starts =
      MomentOfYear(begin.month, TransitionDay(begin, year), begin.hour * 60 + begin.minute);
  const long ends = MomentOfYear(end.month, TransitionDay(end, year), end.hour * 60 + end.minute);
  // Northern zones have daylight time inside the year, southern ones across
  // its turn.
  const bool daylight = starts < ends ? (noon >= starts && noon < ends)
                                      : (noon >= starts || noon < ends);
  if (daylight) zone.daylightMinutes = info.standardBias - info.daylightBias;
  return zone;
}

}  // namespace korvana
