// The tz database through the C library: the process's TZ, or the system's
// local time when TZ is not set.

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "platform/time_zone_rules.h"

namespace korvana {
namespace {

struct Sample {
  int offsetMinutes = 0;  // minutes east of UTC
  bool daylight = false;  // the C library's daylight-saving flag
};

Sample AtNoon(int year, int month, int day) {
  tzset();
  std::tm noon = {};
  noon.tm_year = year - 1900;
  noon.tm_mon = month - 1;
  noon.tm_mday = day;
  noon.tm_hour = 12;
  noon.tm_isdst = -1;
  const std::time_t moment = std::mktime(&noon);
  std::tm local = {};
  localtime_r(&moment, &local);
  return {static_cast<int>(local.tm_gmtoff / 60), local.tm_isdst > 0};
}

class TzDatabaseRules : public TimeZoneRules {
 public:
  ZoneOnDate OnDate(int year, int month, int day) const override {
    const Sample date = AtNoon(year, month, day);
    const Sample january = AtNoon(year, 1, 15);
    const Sample july = AtNoon(year, 7, 15);
    // Some zones (Europe/Dublin) are written with a "negative" daylight
    // saving in winter; their summer offset is the one that adds an hour.
    const bool inverted = (january.daylight && !july.daylight &&
                           january.offsetMinutes < july.offsetMinutes) ||
                          (july.daylight && !january.daylight &&
                           july.offsetMinutes < january.offsetMinutes);
    const auto isDaylight = [inverted](const Sample& s) { return s.daylight != inverted; };
    if (!isDaylight(date)) return {date.offsetMinutes, 0};
    int standard = date.offsetMinutes - 60;
    if (!isDaylight(january)) {
      standard = january.offsetMinutes;
    } else if (!isDaylight(july)) {
      standard = july.offsetMinutes;
    }
    return {standard, date.offsetMinutes - standard};
  }

  int CurrentStandardOffsetMinutes() const override {
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    tzset();
    localtime_r(&now, &local);
    return OnDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).standardOffsetMinutes;
  }

  std::string Name() const override {
    const char* tz = std::getenv("TZ");
    if (tz != nullptr && tz[0] != '\0') return tz[0] == ':' ? tz + 1 : tz;
    char target[PATH_MAX];
    const ssize_t length = readlink("/etc/localtime", target, sizeof target - 1);
    if (length > 0) {
      const std::string path(target, static_cast<size_t>(length));
      const size_t at = path.find("zoneinfo/");
      if (at != std::string::npos) return path.substr(at + 9);
    }
    std::ifstream file("/etc/timezone");
    std::string name;
    if (std::getline(file, name) && !name.empty()) return name;
    return "local time";
  }
};

}  // namespace

const TimeZoneRules& HostTimeZoneRules() {
  static TzDatabaseRules rules;
  return rules;
}

}  // namespace korvana
