#include "engine/astro_state.h"

namespace korvana {

const int16_t CumulativeDays[14] = {0,   31,  59,  90,  120, 151, 181,
                                    212, 243, 273, 304, 334, 365, 999};

namespace {

constexpr double kRadiansPerHundredthDegree = 0.00017453292519943294;  // pi/18000
constexpr double kTimeMinutesPerHundredthDegree = 0.04;  // 4 min per degree

const char* const kHijriMonthNames[13] = {
    "",         "Muharram", "Safar",          "Rabiul-Awwal", "Rabiul-Akhir",
    "Jamadiul-Awwal", "Jamadiul-Akhir", "Rajab",  "Sha'aban",
    "Ramadhan", "Shawwal",  "Dhil-Q'adah",    "Dhil-Hijja"};

const char* const kWeekdayNames[8] = {"",         "Monday", "Tuesday",
                                      "Wednesday", "Thursday", "Friday",
                                      "Saturday", "Sunday"};

const char* const kMonthNames[13] = {"",        "January",  "February",
                                     "March",   "April",    "May",
                                     "June",    "July",     "August",
                                     "September", "October", "November",
                                     "December"};

const char* LookUp(const char* const* table, int16_t index, int16_t last) {
  if (index < 0 || index > last) return "";
  return table[index];
}

}  // namespace

void SetLocation(AstroState& s, int16_t latitudeHundredths,
                 int16_t longitudeHundredths, int16_t timeZoneMinutes) {
  s.latitude = static_cast<float>(latitudeHundredths * kRadiansPerHundredthDegree);
  s.longitudeMinutes =
      static_cast<float>(longitudeHundredths * kTimeMinutesPerHundredthDegree);
  s.timeZone = timeZoneMinutes;
  s.MagneticValid = 0;
  s.MoonValid = 0;
  s.HijriValid = 0;
}

void SetDate(AstroState& s, int16_t day, int16_t month, int16_t year) {
  s.day = day;
  s.month = month;
  s.year = year;
  s.MagneticValid = 0;
  s.MoonValid = 0;
  s.HijriValid = 0;
}

void SetTime(AstroState& s, int16_t hour, int16_t minute) {
  s.clockMinutes = static_cast<int16_t>(hour * 60 + minute);
  s.MoonValid = 0;
}

void SetMargins(AstroState& s, const int16_t marginsByKind[10]) {
  for (int kind = 1; kind <= 10; ++kind) s.margins[kind] = marginsByKind[kind - 1];
}

void SetCalcParams(AstroState& s, int16_t fajrHundredths,
                   int16_t ishaHundredths, int16_t mode) {
  s.fajrAngle = static_cast<float>(fajrHundredths * 0.01);
  s.ishaAngle = static_cast<float>(ishaHundredths * 0.01);
  s.calcMode = mode;
}

bool IsLeapYear(int year) { return (year & 3) == 0; }

int16_t DayOfYear(const AstroState& s) {
  int days = CumulativeDays[s.month - 1] + s.day;
  if (IsLeapYear(s.year) && s.month > 2) ++days;
  return static_cast<int16_t>(days);
}

int32_t DayNumber(const AstroState& s) {
  return DayOfYear(s) + 365 * static_cast<int32_t>(s.year) + (s.year - 1) / 4 -
         730500;
}

int16_t GetWeekday(const AstroState& s) {
  return static_cast<int16_t>((DayNumber(s) + 36524) % 7 + 1);
}

int16_t MonthFromDayOfYear(const AstroState& s, int16_t dayOfYear,
                           int16_t* monthOut, int16_t* dayOut) {
  const bool leap = IsLeapYear(s.year);
  int month = 0;
  int before = 0;
  int end = 0;
  do {
    before = end;
    ++month;
    end = CumulativeDays[month] + ((leap && month >= 2) ? 1 : 0);
  } while (end < dayOfYear && month < 13);
  *monthOut = static_cast<int16_t>(month);
  *dayOut = static_cast<int16_t>(dayOfYear - before);
  return static_cast<int16_t>(end);
}

int16_t WrapMinutes(int16_t minutes) {
  return static_cast<int16_t>((minutes + kMinutesPerDay) % kMinutesPerDay);
}

const char* HijriMonthName(int16_t index) { return LookUp(kHijriMonthNames, index, 12); }
const char* WeekdayName(int16_t index) { return LookUp(kWeekdayNames, index, 7); }
const char* MonthName(int16_t index) { return LookUp(kMonthNames, index, 12); }

}  // namespace korvana
