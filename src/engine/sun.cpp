#include "engine/sun.h"

#include <cmath>

#include "engine/units.h"

namespace korvana {

double DaysSinceJ2000(const AstroState& s) {
  return DayNumber(s) - 0.5 +
         (static_cast<double>(s.workValue) + s.transit - s.longitudeMinutes) /
             kMinutesPerDay;
}

double TransitClockTime(const AstroState& s) {
  return static_cast<double>(s.timeZone) + s.transit - s.longitudeMinutes;
}

double HourAngleMinutes(const AstroState& s) {
  return s.evalMinutes - TransitClockTime(s);
}

void ComputeSunPosition(AstroState& s) {
  const float d = static_cast<float>(DaysSinceJ2000(s));
  s.obliquity = d;
  const double days = d;
  s.sunMeanAnomaly = static_cast<float>(357.528 * kRadPerDeg + 0.98560028 * kRadPerDeg * days);
  // The mean longitude waits in the declination field until the end.
  s.declination = static_cast<float>(280.461 * kRadPerDeg + 0.98564737 * kRadPerDeg * days);
  s.obliquity = static_cast<float>(23.4393 * kRadPerDeg - 0.0000003562 * kRadPerDeg * days);
  const double meanAnomaly = s.sunMeanAnomaly;
  const double meanLongitude = s.declination;
  s.sunLongitude = static_cast<float>(meanLongitude + 1.914 * kRadPerDeg * std::sin(meanAnomaly) +
                                      0.02 * kRadPerDeg * std::sin(2 * meanAnomaly));
  const double longitude = s.sunLongitude;
  const double obliquity = s.obliquity;
  s.transit = static_cast<float>(
      std::atan2(std::sin(longitude) * std::cos(obliquity), std::cos(longitude)));
  // 666.5 keeps the turn count positive over the supported dates and adds
  // half a day, so the fraction is 720 minus the equation of time.
  s.transit = static_cast<float>((s.transit - meanLongitude) / kTwoPi + 666.5);
  s.transit = static_cast<float>((static_cast<double>(s.transit) - std::trunc(s.transit)) *
                                 kMinutesPerDay);
  s.declination = static_cast<float>(std::asin(std::sin(obliquity) * std::sin(longitude)));
}

void UpdateSunAtTime(AstroState& s) {
  s.workValue = static_cast<float>(HourAngleMinutes(s));
  ComputeSunPosition(s);
  s.workValue = static_cast<float>(HourAngleMinutes(s) * kRadPerTimeMinute);
  s.sunElevation = static_cast<float>(ElevationFromHourAngle(s) * kDegPerRad);
}

double ElevationFromHourAngle(const AstroState& s) {
  const double dec = s.declination;
  const double lat = s.latitude;
  return std::asin(std::sin(dec) * std::sin(lat) +
                   std::cos(dec) * std::cos(lat) * std::cos(static_cast<double>(s.workValue)));
}

int16_t AzimuthFromHourAngle(const AstroState& s, float declinationRad) {
  const double hourAngle = s.workValue;
  const double lat = s.latitude;
  const double a = std::atan2(std::sin(hourAngle),
                              std::tan(static_cast<double>(declinationRad)) * std::cos(lat) -
                                  std::cos(hourAngle) * std::sin(lat)) *
                   -kTenthDegPerRad;
  int16_t azimuth = static_cast<int16_t>(a);
  if (azimuth < 0) azimuth = static_cast<int16_t>(azimuth + 3600);
  return azimuth;
}

int16_t GetSunAzimuth(AstroState& s) {
  s.evalMinutes = s.clockMinutes;
  UpdateSunAtTime(s);
  return AzimuthFromHourAngle(s, s.declination);
}

int16_t GetSunElevation(AstroState& s) {
  s.evalMinutes = s.clockMinutes;
  UpdateSunAtTime(s);
  return static_cast<int16_t>(static_cast<double>(s.sunElevation) * 10);
}

int16_t GetSunEclipticLongitude(AstroState& s) {
  s.evalMinutes = s.clockMinutes;
  UpdateSunAtTime(s);
  const double turns = s.sunLongitude / kTwoPi;
  const double fraction = turns - std::floor(turns);
  s.workValue = static_cast<float>(fraction);
  return static_cast<int16_t>(fraction * 3600);
}

int16_t GetSunDeclination(AstroState& s) {
  s.evalMinutes = s.clockMinutes;
  UpdateSunAtTime(s);
  return static_cast<int16_t>(s.declination * kTenthDegPerRad);
}

int16_t GetEquationOfTime(AstroState& s) {
  s.evalMinutes = s.clockMinutes;
  UpdateSunAtTime(s);
  return static_cast<int16_t>((720 - static_cast<double>(s.transit)) * 10);
}

int16_t GetQiblaAngle(AstroState& s) {
  s.workValue = static_cast<float>(s.longitudeMinutes * kRadPerTimeMinute - kKaabaLongitudeRad);
  return AzimuthFromHourAngle(s, kKaabaLatitudeRad);
}

}  // namespace korvana
