#include <sys/time.h>

#include <ctime>

#include "platform/local_clock.h"

namespace korvana {

namespace {

class PosixLocalClock final : public LocalClock {
 public:
  LocalDateTime GetLocalTime() override {
    timeval now {};
    gettimeofday(&now, nullptr);
    struct tm local {};
    localtime_r(&now.tv_sec, &local);
    LocalDateTime t;
    t.year = static_cast<uint16_t>(local.tm_year + 1900);
    t.month = static_cast<uint16_t>(local.tm_mon + 1);
    t.weekday = static_cast<uint16_t>(local.tm_wday);
    t.day = static_cast<uint16_t>(local.tm_mday);
    t.hour = static_cast<uint16_t>(local.tm_hour);
    t.minute = static_cast<uint16_t>(local.tm_min);
    // A leap second shows as 59, as the Windows clock never reports 60.
    t.second = static_cast<uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
    t.millisecond = static_cast<uint16_t>(now.tv_usec / 1000);
    return t;
  }

  // The standard offset comes from the zone's rules (tzset), the daylight
  // flag from the local time now.
  TimeZoneInfo GetTimeZoneInformation() override {
    tzset();
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    TimeZoneInfo info;
    info.bias = static_cast<int32_t>(timezone / 60);
    info.standardBias = 0;
    // The daylight offset in effect now, relative to standard time.
    info.daylightBias = local.tm_isdst > 0
                            ? -static_cast<int32_t>(local.tm_gmtoff / 60 + info.bias)
                            : -60;
    info.daylightNow = local.tm_isdst > 0;
    return info;
  }
};

}  // namespace

LocalClock& HostLocalClock() {
  static PosixLocalClock clock;
  return clock;
}

}  // namespace korvana
