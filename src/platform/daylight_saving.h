#pragma once
// Whether daylight saving is in force on a civil date by this computer's
// own time-zone rules (on Windows the zone's transition rules for that year,
// elsewhere the tz database), judged at local noon of that date. Reports and
// graphs that walk through a year take one of these when the `Windows DLS`
// setting asks them to follow the system.

#include <functional>

namespace korvana {

// year in full, month 1..12, day 1..31; true when daylight saving applies.
using DaylightSavingOnDate = std::function<bool(int year, int month, int day)>;

}  // namespace korvana
