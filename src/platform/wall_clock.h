#pragma once
// The computer's clock as the clock correction sees it: whole seconds since
// 1970-01-01 00:00 UTC, their breakdown on the local clock, and setting it.
// Tests use a fake; only the real program ever sets the host's clock.

#include <cstdint>
#include <string>

namespace korvana {

// A moment on the local clock.
struct ClockFields {
  int year = 1970, month = 1, day = 1;   // civil date
  int hour = 0, minute = 0, second = 0;  // local clock
};

class WallClock {
 public:
  virtual ~WallClock() = default;
  // Seconds since 1970-01-01 00:00 UTC, truncated.
  virtual int64_t NowSeconds() = 0;
  // `unixSeconds` broken down on the local clock (time zone and daylight
  // saving of this computer).
  virtual ClockFields LocalFields(int64_t unixSeconds) = 0;
  // Sets the clock to `unixSeconds` (the start of that second) and tells the
  // rest of the system that the time changed. False when it cannot be set;
  // `error` then holds the system's description of why.
  virtual bool SetNowSeconds(int64_t unixSeconds, std::string* error) = 0;
};

// This computer's clock.
WallClock& HostWallClock();

}  // namespace korvana
