#pragma once
// The local clock and time-zone information as the scheduler reads them. The
// tray program asks the system; tests drive a fake through a simulated year.

#include <cstdint>

namespace korvana {

// A moment on the local clock, laid out as the platform's SYSTEMTIME record.
struct LocalDateTime {
  uint16_t year = 0;         // in full, e.g. 2014
  uint16_t month = 0;        // 1..12
  uint16_t weekday = 0;      // 0 = Sunday .. 6 = Saturday
  uint16_t day = 0;          // 1..31
  uint16_t hour = 0;         // 0..23
  uint16_t minute = 0;       // 0..59
  uint16_t second = 0;       // 0..59
  uint16_t millisecond = 0;  // 0..999
};

// The system's time-zone information, with the sign convention of Windows:
// universal time = local time + bias.
struct TimeZoneInfo {
  int32_t bias = 0;           // minutes
  int32_t standardBias = 0;   // minutes added to bias outside daylight saving
  int32_t daylightBias = -60; // minutes added to bias during daylight saving
  bool daylightNow = false;   // daylight saving time is in effect now
};

class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual LocalDateTime GetLocalTime() = 0;
  virtual TimeZoneInfo GetTimeZoneInformation() = 0;
};

// This computer's clock.
LocalClock& HostLocalClock();

// 100-nanosecond units from 1601-01-01 00:00 on the same clock as `t` (the
// platform's file time of a local moment); the weekday is ignored.
int64_t LocalFileTime(const LocalDateTime& t);

// The local moment of a file time on the same clock, weekday included.
LocalDateTime FromLocalFileTime(int64_t fileTime);

}  // namespace korvana
