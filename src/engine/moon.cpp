#include "engine/moon.h"

#include <cmath>

#include "engine/sun.h"
#include "engine/units.h"

namespace korvana {

namespace {

constexpr double kEarthRadiusThousandKm = 6.37816;
constexpr double kEarthRadiusMetres = 6378160;
// Earth radius plus moon radius (1.738), thousands of km: the discs touch.
constexpr double kEarthPlusMoonRadiusThousandKm = 8.11616;
constexpr double kSunRadiusMillionKm = 0.696;
// Twice the moon's radius (1.738 thousand km) in arc minutes per unit of
// distance: the crescent width is this times the lit fraction over the
// distance.
constexpr double kMoonDiameterArcMinutes = 11949.607775248449;
// The crescent setting's unit: 0.02 degree.
constexpr double kCrescentUnitDeg = 0.02;

float ToFloat(double x) { return static_cast<float>(x); }
double Deg(double degrees) { return degrees * kRadPerDeg; }

// Code of the eclipse / crescent verdict; leaves a scratch value of the test
// in the declination field.
int16_t VisibilityCode(AstroState& s, double lit, double eclipseLimit, double dip,
                       double crescentWidth, double sunElevation) {
  if (lit / eclipseLimit < 1) {
    return static_cast<int16_t>((1 - lit / eclipseLimit) * 100);  // solar eclipse
  }
  if ((1 - lit) / eclipseLimit < 1) {
    return static_cast<int16_t>(((1 - lit) / eclipseLimit - 1) * 100);  // lunar eclipse
  }
  const double setting = s.crescentVisibility * kCrescentUnitDeg;
  double limit = setting - dip;
  if (limit > -0.8) limit = -0.8;
  // Least lit fraction of a crescent that can be seen anywhere.
  s.declination = ToFloat((1 - std::cos(Deg(limit + 8.8))) / 2);
  if (s.declination > lit) return 0;
  const double moonElevation = s.moonElevation;
  if (moonElevation < -0.5 - dip) return kMoonVisibleElsewhere;
  double base;
  if (moonElevation < 4) {
    base = 10 * moonElevation - 56;
  } else if (sunElevation > 4) {
    base = -16;
  } else {
    base = moonElevation - 20;
  }
  // The sun elevation below which the crescent shows against the sky.
  float depth = ToFloat((10 * crescentWidth + base) / 3);
  depth = ToFloat(depth - (setting - 1 - dip));
  s.declination = depth;
  return (depth > 4 || sunElevation < depth) ? kMoonVisibleHere : kMoonVisibleElsewhere;
}

}  // namespace

void ComputeMoonPosition(AstroState& s) {
  UpdateSunAtTime(s);
  const double sunAnomaly = s.sunMeanAnomaly;
  const double sunLongitude = s.sunLongitude;
  const double obliquity = s.obliquity;
  const double sunElevation = s.sunElevation;

  // Back to minutes, so that DaysSinceJ2000 gives the UT of evalMinutes.
  s.workValue = ToFloat(s.workValue * kTimeMinutesPerRad);
  const double d = ToFloat(DaysSinceJ2000(s));

  const double twoD = ToFloat(Deg(235.7) + Deg(24.38149823) * d);   // twice the elongation
  const double anomaly = ToFloat(Deg(134.965) + Deg(13.06499295) * d);  // moon mean anomaly
  const double twoF = ToFloat(Deg(186.543) + Deg(26.45870048) * d);  // twice the latitude arg.

  double terms = Deg(6.2886) * std::sin(anomaly);
  terms += Deg(0.2136) * std::sin(2 * anomaly);
  terms += Deg(-1.2739) * std::sin(anomaly - twoD);
  terms += Deg(0.6583) * std::sin(twoD);
  terms += Deg(-0.1856) * std::sin(sunAnomaly);
  terms += Deg(-0.1144) * std::sin(twoF);
  const double orbitLongitude = ToFloat(terms + Deg(218.316) + Deg(13.17639647) * d);

  const double fromNode = ToFloat(orbitLongitude - (Deg(125.045) - Deg(0.05295376) * d));
  const double longitude = ToFloat(
      orbitLongitude + std::atan2(0.99597032 * std::sin(fromNode), std::cos(fromNode)) - fromNode);
  s.moonLatitude = ToFloat(std::asin(0.08968344 * std::sin(fromNode)));
  const double latitude = s.moonLatitude;

  double distance = -20.9054 * std::cos(anomaly);
  distance += -3.6991 * std::cos(twoD - anomaly);
  distance += -2.956 * std::cos(twoD);
  distance += -0.5699 * std::cos(2 * anomaly);
  distance += 0.2462 * std::cos(2 * anomaly - twoD);
  distance += -0.2046 * std::cos(sunAnomaly - twoD);
  distance += -0.1707 * std::cos(anomaly + twoD);
  distance += -0.1521 * std::cos(anomaly + sunAnomaly - twoD);
  s.moonDistanceGeo = ToFloat(distance + 385.0006);
  const double geoDistance = s.moonDistanceGeo;

  const double rightAscension =
      std::atan2(std::sin(longitude) * std::cos(obliquity) - std::tan(latitude) * std::sin(obliquity),
                 std::cos(longitude));
  const double siderealTime =
      (s.evalMinutes - s.timeZone + static_cast<double>(s.longitudeMinutes)) * Deg(0.25) +
      Deg(100.461) + Deg(0.98564736) * d;
  s.workValue = ToFloat(siderealTime - rightAscension);
  s.declination = ToFloat(std::asin(std::sin(latitude) * std::cos(obliquity) +
                                    std::cos(latitude) * std::sin(obliquity) * std::sin(longitude)));
  s.moonAzimuth = AzimuthFromHourAngle(s, s.declination);
  const double elevation = ToFloat(ElevationFromHourAngle(s));
  s.moonDistanceTopo = ToFloat(geoDistance - kEarthRadiusThousandKm * std::sin(elevation));
  const double topoDistance = s.moonDistanceTopo;
  s.moonElevation = ToFloat(
      (elevation - std::cos(elevation) * (kEarthRadiusThousandKm / topoDistance)) * kDegPerRad);

  s.workValue = ToFloat(149.619 - 2.498 * std::cos(sunAnomaly) - 0.021 * std::cos(2 * sunAnomaly));
  s.sunDistance = s.workValue;
  const double sunDistance = s.workValue;

  const double elongation = ToFloat(longitude - sunLongitude);
  // The sight altitude comes unchecked from the settings file: an observer
  // below the surroundings sees no dip (and acos of a ratio above 1 would
  // leave no number at all).
  const double heightMetres = s.sightAltitude > 0 ? s.sightAltitude : 0;
  s.horizonDip =
      ToFloat(std::acos(kEarthRadiusMetres / (heightMetres + kEarthRadiusMetres)) * kDegPerRad);
  s.sunMeanAnomaly = ToFloat((1 - std::cos(elongation) * std::cos(latitude)) / 2);
  const double lit = s.sunMeanAnomaly;
  s.sunLongitude = ToFloat(kMoonDiameterArcMinutes * lit / topoDistance);
  const double eclipseLimit = ToFloat(
      (1 - std::cos(kEarthPlusMoonRadiusThousandKm / geoDistance + kSunRadiusMillionKm / sunDistance)) /
      2);
  s.limitClass =
      VisibilityCode(s, lit, eclipseLimit, s.horizonDip, s.sunLongitude, sunElevation);

  const double turns = elongation / kTwoPi;
  s.transit = ToFloat(turns - std::floor(turns));
}

int16_t GetMoonPhase(AstroState& s) {
  s.MoonValid = 1;
  s.evalMinutes = s.clockMinutes;
  ComputeMoonPosition(s);
  s.keptSunDistance = s.workValue;
  s.keptIllumination = s.sunMeanAnomaly;
  s.keptVisibility = s.limitClass;
  return static_cast<int16_t>(static_cast<double>(s.transit) * 3600);
}

namespace {

void EnsureMoonCurrent(AstroState& s) {
  if (s.MoonValid == 0) GetMoonPhase(s);
}

}  // namespace

int16_t GetMoonAzimuth(AstroState& s) {
  EnsureMoonCurrent(s);
  return static_cast<int16_t>(s.moonAzimuth);
}

int16_t GetMoonElevation(AstroState& s) {
  EnsureMoonCurrent(s);
  return static_cast<int16_t>(static_cast<double>(s.moonElevation) * 10);
}

int16_t GetMoonLatitude(AstroState& s) {
  EnsureMoonCurrent(s);
  return static_cast<int16_t>(s.moonLatitude * kTenthDegPerRad);
}

int16_t GetMoonIllumination(AstroState& s) {
  EnsureMoonCurrent(s);
  return static_cast<int16_t>(static_cast<double>(s.keptIllumination) * 1000);
}

int16_t GetMoonDistance(AstroState& s, int16_t topocentric) {
  EnsureMoonCurrent(s);
  const double distance = topocentric != 0 ? s.moonDistanceTopo : s.moonDistanceGeo;
  return static_cast<int16_t>(distance * 10);
}

int16_t GetSunDistance(AstroState& s) {
  EnsureMoonCurrent(s);
  return static_cast<int16_t>(static_cast<double>(s.keptSunDistance) * 10);
}

int16_t GetMoonVisibility(AstroState& s, int16_t crescentVisibility, int16_t sightAltitude) {
  if (s.MoonValid == 1 && crescentVisibility == s.crescentVisibility &&
      sightAltitude == s.sightAltitude) {
    return s.keptVisibility;
  }
  s.crescentVisibility = crescentVisibility;
  s.sightAltitude = sightAltitude;
  GetMoonPhase(s);
  return s.keptVisibility;
}

}  // namespace korvana
