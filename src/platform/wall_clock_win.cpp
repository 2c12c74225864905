#include <windows.h>

#include <ctime>

#include "platform/wall_clock.h"

namespace korvana {

namespace {

// Seconds from 1601-01-01 (the FILETIME epoch) to 1970-01-01.
constexpr int64_t kFileTimeEpochOffsetSeconds = 11644473600;
constexpr int64_t kFileTimeTicksPerSecond = 10000000;  // 100-nanosecond ticks

std::string SystemErrorText(DWORD code) {
  char text[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string result(text, length);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

class Win32WallClock final : public WallClock {
 public:
  int64_t NowSeconds() override { return static_cast<int64_t>(std::time(nullptr)); }

  ClockFields LocalFields(int64_t unixSeconds) override {
    const __time64_t t = unixSeconds;
    struct tm local {};
    _localtime64_s(&local, &t);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }

  // The instant is set in universal time: a local time inside the hour that
  // repeats when daylight saving ends would be ambiguous.
  bool SetNowSeconds(int64_t unixSeconds, std::string* error) override {
    const auto ticks =
        static_cast<ULONGLONG>((unixSeconds + kFileTimeEpochOffsetSeconds) * kFileTimeTicksPerSecond);
    FILETIME fileTime;
    fileTime.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME universal;
    if (!FileTimeToSystemTime(&fileTime, &universal) || !SetSystemTime(&universal)) {
      if (error != nullptr) *error = SystemErrorText(GetLastError());
      return false;
    }
    PostMessageA(HWND_BROADCAST, WM_TIMECHANGE, 0, 0);
    return true;
  }
};

}  // namespace

WallClock& HostWallClock() {
  static Win32WallClock clock;
  return clock;
}

}  // namespace korvana
