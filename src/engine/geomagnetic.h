#pragma once
// The main geomagnetic field (IGRF-12, degree and order 13) at a point and
// date: the compass drift and the horizontal field strength.

#include "engine/astro_state.h"

namespace korvana {

// The coefficient sets: epochs 1900, 1905, ..., 2020 (index 0..24).
constexpr int kIgrfEpochCount = 25;
constexpr int kIgrfFirstEpochYear = 1900;
constexpr int kIgrfMaxDegree = 13;

// Schmidt semi-normalised Gauss coefficient g(n, m) (isH false) or h(n, m)
// (isH true) of the epoch with the given index, in nT to 0.1 nT; degree
// 1..13, order 0..n, epoch 0..24. h(n, 0) is 0.
float IgrfCoefficient(bool isH, int degree, int order, int epochIndex);

// The epoch (index 0..23) a date interpolates from towards the next one, and
// the years since it (32-bit float) through `yearsSinceEpoch`. dayNumber as
// DayNumber. From 2020 on the epoch stays 2015 (index 23).
int IgrfEpochAt(int32_t dayNumber, float* yearsSinceEpoch);

// dayNumber as DayNumber (days from 2000-01-01); geodetic latitude and
// longitude in degrees (north and east positive); altitude above the
// ellipsoid in km. Fills magNorth .. magInclination; touches no cache flag.
// Dates before 1900 are not allowed; from 2020 on the 2015-2020 rate is
// extrapolated.
void ComputeGeomagneticField(AstroState& s, int32_t dayNumber, float latitudeDeg,
                             float longitudeDeg, float altitudeKm);

// The same computation in stages, for a grid of points: what a date, a
// latitude (with the altitude) and a longitude each determine is prepared
// once and shared, and SumGeomagneticField finishes one point.
// ComputeGeomagneticField runs exactly these stages, so both give the same
// digits.
struct GeomagneticDate {
  float g[kIgrfMaxDegree + 1][kIgrfMaxDegree + 1];  // unnormalised g(n, m) at the date, nT
  float h[kIgrfMaxDegree + 1][kIgrfMaxDegree + 1];  // unnormalised h(n, m) at the date, nT
  float k[kIgrfMaxDegree + 1][kIgrfMaxDegree + 1];  // Legendre recursion factors
};
struct GeomagneticLatitude {
  float cosTheta, sinTheta;  // geocentric colatitude
  float cosRotation, sinRotation;  // geocentric to geodetic (ca, sa)
  float radiusPower[kIgrfMaxDegree + 1];  // (6371.2 / r)^(n + 2)
  float dp[kIgrfMaxDegree + 1][kIgrfMaxDegree + 1];   // dP(n, m) / d theta
  float par[kIgrfMaxDegree + 1][kIgrfMaxDegree + 1];  // radiusPower[n] * P(n, m)
  float parPole[kIgrfMaxDegree + 1];  // radiusPower[n] * PP(n), at a pole only
};
struct GeomagneticLongitude {
  float t1[kIgrfMaxDegree + 1][kIgrfMaxDegree + 1];  // g cos m lambda + h sin m lambda
  float t2[kIgrfMaxDegree + 1][kIgrfMaxDegree + 1];  // g sin m lambda - h cos m lambda
};
void PrepareGeomagneticDate(int32_t dayNumber, GeomagneticDate* date);
void PrepareGeomagneticLatitude(const GeomagneticDate& date, float latitudeDeg, float altitudeKm,
                                GeomagneticLatitude* latitude);
void PrepareGeomagneticLongitude(const GeomagneticDate& date, float longitudeDeg,
                                 GeomagneticLongitude* longitude);
// Fills magNorth .. magInclination for the point of the two preparations.
void SumGeomagneticField(AstroState& s, const GeomagneticLatitude& latitude,
                         const GeomagneticLongitude& longitude);

// Each takes the observer's height in metres (used only when a computation
// is due) and fills MagneticValid and MagneticDataValid.
int16_t GetMagneticDeclination(AstroState& s, int16_t heightMetres);  // tenths of a degree, east +
int16_t GetMagneticInclination(AstroState& s, int16_t heightMetres);  // tenths of a degree, down +
int16_t GetHorizontalIntensity(AstroState& s, int16_t heightMetres);  // units of 100 nT

}  // namespace korvana
