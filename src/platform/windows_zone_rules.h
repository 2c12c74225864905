#pragma once
// Windows describes a zone for one year by its biases and two transition
// rules (TIME_ZONE_INFORMATION). Which of the two offsets holds on a date is
// decided here, portably, so that it can be tested without Windows.

#include "platform/time_zone_rules.h"

namespace korvana {

// A transition as SYSTEMTIME carries it: with year 0, "the week-th
// dayOfWeek of the month" (week 5: the last one); otherwise an absolute date.
// month 0: no transition (the zone keeps standard time all year).
struct ZoneTransition {
  int year = 0;
  int month = 0;      // 1..12, 0 none
  int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
  int day = 0;        // week 1..5 with year 0, else the day of the month
  int hour = 0;       // local clock time of the change
  int minute = 0;
};

// Windows' sign convention: universal time = local time + bias.
struct YearZoneInformation {
  int bias = 0;          // minutes
  int standardBias = 0;  // minutes, added to bias in standard time
  int daylightBias = 0;  // minutes, added to bias in daylight time
  ZoneTransition standardDate;  // when daylight time ends
  ZoneTransition daylightDate;  // when daylight time begins
};

// The day of the month on which a transition falls in `year`.
int TransitionDay(const ZoneTransition& transition, int year);

// The zone on a date (at local noon) by the rules of that date's year.
ZoneOnDate EvaluateZoneOnDate(const YearZoneInformation& info, int year, int month, int day);

}  // namespace korvana
