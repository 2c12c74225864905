// The Windows zone's rules for each year (dynamic daylight saving included).

#include <windows.h>

#include <string>

#include "platform/time_zone_rules.h"
#include "platform/windows_zone_rules.h"

namespace korvana {
namespace {

ZoneTransition FromSystemTime(const SYSTEMTIME& t) {
  ZoneTransition z;
  z.year = t.wYear;
  z.month = t.wMonth;
  z.dayOfWeek = t.wDayOfWeek;
  z.day = t.wDay;
  z.hour = t.wHour;
  z.minute = t.wMinute;
  return z;
}

YearZoneInformation ForYear(int year) {
  TIME_ZONE_INFORMATION info = {};
  if (!GetTimeZoneInformationForYear(static_cast<USHORT>(year), nullptr, &info))
    GetTimeZoneInformation(&info);
  YearZoneInformation z;
  z.bias = info.Bias;
  z.standardBias = info.StandardBias;
  z.daylightBias = info.DaylightBias;
  z.standardDate = FromSystemTime(info.StandardDate);
  z.daylightDate = FromSystemTime(info.DaylightDate);
  return z;
}

std::string Narrow(const WCHAR* text) {
  char buffer[256];
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return length > 1 ? std::string(buffer, static_cast<size_t>(length - 1)) : std::string();
}

class WindowsZoneRules : public TimeZoneRules {
 public:
  ZoneOnDate OnDate(int year, int month, int day) const override {
    return EvaluateZoneOnDate(ForYear(year), year, month, day);
  }

  int CurrentStandardOffsetMinutes() const override {
    TIME_ZONE_INFORMATION info = {};
    GetTimeZoneInformation(&info);
    return -(info.Bias + info.StandardBias);
  }

  std::string Name() const override {
    DYNAMIC_TIME_ZONE_INFORMATION info = {};
    if (GetDynamicTimeZoneInformation(&info) != TIME_ZONE_ID_INVALID) {
      std::string name = Narrow(info.TimeZoneKeyName);
      if (name.empty()) name = Narrow(info.StandardName);
      if (!name.empty()) return name;
    }
    return "local time";
  }
};

}  // namespace

const TimeZoneRules& HostTimeZoneRules() {
  static WindowsZoneRules rules;
  return rules;
}

}  // namespace korvana
