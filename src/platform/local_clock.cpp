#include "platform/local_clock.h"

namespace korvana {

namespace {

constexpr int64_t kTicksPerMillisecond = 10000;  // 100-ns units
constexpr int64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;
constexpr int64_t kSecondsPerDay = 86400;
// Days from 0000-03-01 (proleptic Gregorian) to 1601-01-01.
constexpr int64_t kDaysTo1601 = 584694;

// Days since 0000-03-01 of a civil date (the Gregorian calendar throughout).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

}  // namespace

int64_t LocalFileTime(const LocalDateTime& t) {
  const int64_t days = DaysFromCivil(t.year, t.month, t.day) - kDaysTo1601;
  const int64_t seconds = days * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
  return seconds * kTicksPerSecond + t.millisecond * kTicksPerMillisecond;
}

LocalDateTime FromLocalFileTime(int64_t fileTime) {
  const int64_t totalMs = fileTime / kTicksPerMillisecond;
  const int64_t days = totalMs / (kSecondsPerDay * 1000);
  int64_t msOfDay = totalMs % (kSecondsPerDay * 1000);
  // Civil date from days since 0000-03-01.
  const int64_t z = days + kDaysTo1601;
  const int64_t era = z / 146097;
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  LocalDateTime t;
  t.year = static_cast<uint16_t>(year);
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  t.weekday = static_cast<uint16_t>((days + 1) % 7);  // 1601-01-01 was a Monday
  t.hour = static_cast<uint16_t>(msOfDay / 3600000);
  msOfDay %= 3600000;
  t.minute = static_cast<uint16_t>(msOfDay / 60000);
  msOfDay %= 60000;
  t.second = static_cast<uint16_t>(msOfDay / 1000);
  t.millisecond = static_cast<uint16_t>(msOfDay % 1000);
  return t;
}

}  // namespace korvana
