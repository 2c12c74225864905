#include <windows.h>

#include "platform/local_clock.h"

namespace korvana {

namespace {

class Win32LocalClock final : public LocalClock {
 public:
  LocalDateTime GetLocalTime() override {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    LocalDateTime t;
    t.year = now.wYear;
    t.month = now.wMonth;
    t.weekday = now.wDayOfWeek;
    t.day = now.wDay;
    t.hour = now.wHour;
    t.minute = now.wMinute;
    t.second = now.wSecond;
    t.millisecond = now.wMilliseconds;
    return t;
  }

  TimeZoneInfo GetTimeZoneInformation() override {
    TIME_ZONE_INFORMATION zone;
    const DWORD id = ::GetTimeZoneInformation(&zone);
    TimeZoneInfo info;
    info.bias = zone.Bias;
    info.standardBias = zone.StandardBias;
    info.daylightBias = zone.DaylightBias;
    info.daylightNow = id == TIME_ZONE_ID_DAYLIGHT;
    return info;
  }
};

}  // namespace

LocalClock& HostLocalClock() {
  static Win32LocalClock clock;
  return clock;
}

}  // namespace korvana
