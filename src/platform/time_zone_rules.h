#pragma once
// This computer's time-zone rules as the reports need them: the standard
// offset and the daylight saving in force on any civil date, judged at
// local noon of that date. On Windows they come from the zone's transition
// rules for that year, elsewhere from the tz database through the process's
// TZ (or the system's local time).

#include <string>

#include "platform/daylight_saving.h"

namespace korvana {

struct ZoneOnDate {
  int standardOffsetMinutes = 0;  // minutes east of UTC, daylight saving left out
  int daylightMinutes = 0;        // minutes daylight saving adds (0: none; may be negative)
};

class TimeZoneRules {
 public:
  virtual ~TimeZoneRules() = default;
  // year in full, month 1..12, day 1..31.
  virtual ZoneOnDate OnDate(int year, int month, int day) const = 0;
  // The standard offset in force now, minutes east of UTC: what the tray
  // program's `Windows TZ` setting takes.
  virtual int CurrentStandardOffsetMinutes() const = 0;
  // The rules' name: the tz database zone ("Europe/Istanbul") or the Windows
  // zone ("Turkey Standard Time").
  virtual std::string Name() const = 0;
};

// The rules of this computer (read again at every call, so that a change of
// zone is seen at once).
const TimeZoneRules& HostTimeZoneRules();

// Whether daylight saving applies on a date by the given rules, for code
// that takes a DaylightSavingOnDate. `rules` must outlive the function.
DaylightSavingOnDate DaylightSavingOf(const TimeZoneRules& rules);

}  // namespace korvana
