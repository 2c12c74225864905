#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/wall_clock.h"

namespace korvana {

namespace {

class PosixWallClock final : public WallClock {
 public:
  int64_t NowSeconds() override { return static_cast<int64_t>(std::time(nullptr)); }

  ClockFields LocalFields(int64_t unixSeconds) override {
    const auto t = static_cast<time_t>(unixSeconds);
    struct tm local {};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }

  bool SetNowSeconds(int64_t unixSeconds, std::string* error) override {
    const timespec when{static_cast<time_t>(unixSeconds), 0};
    if (clock_settime(CLOCK_REALTIME, &when) == 0) return true;
    if (error != nullptr) *error = std::strerror(errno);
    return false;
  }
};

}  // namespace

WallClock& HostWallClock() {
  static PosixWallClock clock;
  return clock;
}

}  // namespace korvana
