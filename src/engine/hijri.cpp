#include "engine/hijri.h"

#include <cmath>

#include "engine/moon.h"
#include "engine/units.h"

namespace korvana {

namespace {

// A month begins when the moon stands 8 degrees of true angular distance
// east of the sun at 0h UT.
constexpr double kThresholdElongationRad = 0.13962634015954636;  // 8 degrees
// Degrees of elongation per day assumed when stepping back.
constexpr double kElongationDegPerDay = 15;
constexpr double kLunationsPerDay = 0.033863192191534732554;  // 1 / 29.53058868
constexpr double kLunationsAtDayZero = 17049.7;               // at 2000-01-01

// Names of the holy days and nights, in the order of the rules below.
const char* const kHijriNewYear = "Hijri New Year";
const char* const kAshura = "Day of Ashura";
const char* const kMawlid = "Mawlid-al Nabi";
const char* const kRaghaib = "Lailatul-Raghaib";
const char* const kHolyMonths = "Start of Holy Months";
const char* const kMerac = "Lailatul-Me'rac";
const char* const kNisfuShaaban = "Nisfu-Sha'aban";
const char* const kQadrSharani = "Lailatul-Qadr(Sharani)";
const char* const kRamadhanFirst = "1. Day of Ramadhan";
const char* const kQadr27 = "Lailatul-Qadr (R.27)";
const char* const kEidAlFitr[3] = {"1. Day of Eid-al-Fitr", "2. Day of Eid-al-Fitr",
                                   "3. Day of Eid-al-Fitr"};
const char* const kArafa = "A'rafa";
const char* const kEidAlAdha[4] = {"1. Day of Eid-al-Adha", "2. Day of Eid-al-Adha",
                                   "3. Day of Eid-al-Adha", "4. Day of Eid-al-Adha"};

constexpr int kThursday = 4;
constexpr int kSaturday = 6;

// c is the Hijri day of the next date, m the Hijri month of this date and
// w its weekday: a rule on c = N marks the date before day N of the month.
const char* HolyDayName(int m, int c, int w) {
  switch (m) {
    case 1:
      if (c == 2) return kHijriNewYear;
      if (c == 11) return kAshura;
      break;
    case 3:
      if (c == 12) return kMawlid;
      break;
    case 7:
      if (w == kThursday && c >= 2 && c <= 7) return kRaghaib;
      if (c == 2) return kHolyMonths;
      if (c == 27) return kMerac;
      break;
    case 8:
      if (c == 15) return kNisfuShaaban;
      break;
    case 9:
      if (w == kSaturday && c % 2 == 1 && c > 16) return kQadrSharani;
      if (c == 2) return kRamadhanFirst;
      if (c == 27) return kQadr27;
      break;
    case 10:
      if (c >= 2 && c <= 4) return kEidAlFitr[c - 2];
      break;
    case 12:
      if (c == 10) return kArafa;
      if (c >= 11 && c <= 14) return kEidAlAdha[c - 11];
      break;
    default:
      break;
  }
  return "";
}

}  // namespace

int16_t GetHijriDay(AstroState& s) {
  s.MoonValid = 0;
  s.HijriValid = 1;
  const int16_t today = s.day;
  // Steps back from today to the last day of the previous month: the first
  // day whose 0h UT finds the moon short of the threshold. The step count is
  // a signed 8-bit value.
  int8_t back = -1;
  float pastThreshold = 0;  // degrees of elongation beyond the threshold
  do {
    back = static_cast<int8_t>(
        static_cast<int>(std::trunc(pastThreshold / kElongationDegPerDay + 1 + back)));
    s.day = static_cast<int16_t>(today - back);
    s.evalMinutes = s.timeZone;  // 0h UT of that date
    ComputeMoonPosition(s);
    const double thresholdDeg =
        std::acos(std::cos(kThresholdElongationRad) / std::cos(static_cast<double>(s.moonLatitude))) *
        kDegPerRad;
    pastThreshold = static_cast<float>(static_cast<double>(s.transit) * 360 - thresholdDeg);
    if (pastThreshold < 0) pastThreshold = static_cast<float>(pastThreshold + 360.0);
  } while (back == 0 || pastThreshold < 180);

  const auto lunations =
      static_cast<int16_t>(static_cast<int32_t>(DayNumber(s) * kLunationsPerDay + kLunationsAtDayZero));
  s.day = today;
  s.hijriMonth = static_cast<int16_t>(lunations % 12 + 1);
  s.hijriYear = static_cast<int16_t>(lunations / 12);
  return back;
}

int16_t GetHijriMonth(AstroState& s) {
  if (s.HijriValid == 0) GetHijriDay(s);
  return s.hijriMonth;
}

int16_t GetHijriYear(AstroState& s) {
  if (s.HijriValid == 0) GetHijriDay(s);
  return s.hijriYear;
}

const char* GetHolyDayName(AstroState& s) {
  ++s.day;
  const int nextDay = GetHijriDay(s);
  --s.day;
  s.HijriValid = 0;
  const int month = GetHijriMonth(s);
  return HolyDayName(month, nextDay, GetWeekday(s));
}

}  // namespace korvana
