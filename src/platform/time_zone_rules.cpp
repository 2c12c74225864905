#include "platform/time_zone_rules.h"

namespace korvana {

DaylightSavingOnDate DaylightSavingOf(const TimeZoneRules& rules) {
  return [&rules](int year, int month, int day) {
    return rules.OnDate(year, month, day).daylightMinutes != 0;
  };
}

}  // namespace korvana
