#include "engine/prayer_times.h"

#include <cmath>

#include "engine/sun.h"
#include "engine/units.h"

namespace korvana {

const char* const TimingNames[10] = {"FAJR",   "SUNRISE", "ISHRAQ", "MID-DAY",
                                     "ZUHR",   "ASR-I",   "ASR-II", "FADING",
                                     "MAGHRIB", "ISHA"};

const HourAngleLimit HighLatitudeLimits[4] = {
    {1.0f, -1.0f},                 // no limit beyond the physical one
    {0.793353021f, -0.991445005f},  // FAJR, ISHA: 150..690 minutes
    {0.923879981f, -0.923879981f},  // sun up and down at least 3 hours
    {0.980785012f, -0.793353021f},  // ASR: 45..570 minutes
};

namespace {

// Sun altitudes of the fixed events, as the solver's altitude argument.
constexpr float kMorningMinus1Deg = -0.017453292f;  // SUNRISE
constexpr float kMorningPlus5Deg = 0.08726646f;     // ISHRAQ
constexpr float kEveningMinus1Deg = 3.159046f;      // 181 degrees: SUNSET
constexpr float kEveningPlus5Deg = 3.0543263f;      // 175 degrees: FADING

constexpr int kZuhrMinutesAfterTransit = 2;

void ApplyNightLimitToIsha(AstroState& s) {
  const int share = s.calcMode - 1;  // half (mode 3) or a third (mode 4)
  const double sunset = s.sunsetHourAngle;
  // Night from sunset to FAJR of the next day, approximated by today's.
  s.sunsetHourAngle = static_cast<float>(
      sunset + (kMinutesPerDay + static_cast<double>(s.fajrHourAngle) - sunset) / share);
  if (s.workValue > s.sunsetHourAngle) s.workValue = s.sunsetHourAngle;
}

}  // namespace

float SolveHourAngle(AstroState& s, float x) {
  s.workValue = 0;
  for (int pass = 0; pass < 2; ++pass) {
    ComputeSunPosition(s);
    const double dec = s.declination;
    const double lat = s.latitude;
    float c = static_cast<float>((std::sin(static_cast<double>(x)) - std::sin(dec) * std::sin(lat)) /
                                 (std::cos(dec) * std::cos(lat)));
    if (s.calcMode < 2) s.limitClass = 0;
    const HourAngleLimit& limit = HighLatitudeLimits[s.limitClass];
    if (c > limit.largestCosine) c = limit.largestCosine;
    if (c < limit.smallestCosine) c = limit.smallestCosine;
    float hourAngle = static_cast<float>(std::acos(static_cast<double>(c)) * kTimeMinutesPerRad);
    if (x < kHalfPi) hourAngle = -hourAngle;
    s.workValue = hourAngle;
  }
  return s.workValue;
}

float SolveAsr(AstroState& s, int shadowFactor) {
  s.limitClass = 3;
  s.workValue = 0;
  ComputeSunPosition(s);
  const double noonShadow =
      std::fabs(std::tan(static_cast<double>(s.latitude) - s.declination));
  const double x0 = std::atan2(1.0, -(shadowFactor + noonShadow));
  // Empirical offsets of -0.0731 and -0.2621 degrees.
  const double x = shadowFactor == 1 ? x0 * 1.00065 - 0.0012758356832078548
                                     : x0 * 1.00191 - 0.004574507969477138;
  return SolveHourAngle(s, static_cast<float>(x));
}

int16_t GetPrayerTime(AstroState& s, int kind) {
  kind &= 0xFF;
  s.limitClass = 2;
  switch (kind) {
    case kFajr: {
      s.limitClass = 1;
      SolveHourAngle(s, static_cast<float>(s.fajrAngle * kRadPerDeg));
      s.fajrHourAngle = s.workValue;
      break;
    }
    case kSunrise: {
      SolveHourAngle(s, kMorningMinus1Deg);
      break;
    }
    case kIshraq: {
      SolveHourAngle(s, kMorningPlus5Deg);
      break;
    }
    case kMidDay: {
      SolveHourAngle(s, kEveningMinus1Deg);
      s.workValue = static_cast<float>((static_cast<double>(s.fajrHourAngle) + s.workValue) / 2);
      ComputeSunPosition(s);  // refreshes the transit at the midpoint
      break;
    }
    case kZuhr: {
      s.workValue = kZuhrMinutesAfterTransit;
      ComputeSunPosition(s);
      break;
    }
    case kAsr1: {
      SolveAsr(s, 1);
      break;
    }
    case kAsr2: {
      SolveAsr(s, 2);
      break;
    }
    case kFading: {
      SolveHourAngle(s, kEveningPlus5Deg);
      break;
    }
    case kSunset: {
      SolveHourAngle(s, kEveningMinus1Deg);
      s.sunsetHourAngle = s.workValue;
      break;
    }
    case kIsha: {
      if (s.calcMode == 5) {
        s.workValue = static_cast<float>(s.margins[kSunset] + static_cast<double>(s.sunsetHourAngle));
      } else {
        s.limitClass = 1;
        SolveHourAngle(s, static_cast<float>((180 - static_cast<double>(s.ishaAngle)) * kRadPerDeg));
        if (s.calcMode == 3 || s.calcMode == 4) ApplyNightLimitToIsha(s);
      }
      break;
    }
    default:
      break;
  }
  const bool known = kind >= kFajr && kind <= kIsha;
  const int16_t margin = (s.calcMode != 0 && known) ? s.margins[kind] : 0;
  s.evalMinutes = margin;
  const double clock = TransitClockTime(s) + (margin + static_cast<double>(s.workValue)) + 0.5;
  return WrapMinutes(static_cast<int16_t>(static_cast<int32_t>(clock)));
}

}  // namespace korvana
