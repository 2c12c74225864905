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

// Each takes the observer's height in metres (used only when a computation
// is due) and fills MagneticValid and MagneticDataValid.
int16_t GetMagneticDeclination(AstroState& s, int16_t heightMetres);  // tenths of a degree, east +
int16_t GetMagneticInclination(AstroState& s, int16_t heightMetres);  // tenths of a degree, down +
int16_t GetHorizontalIntensity(AstroState& s, int16_t heightMetres);  // units of 100 nT

}  // namespace korvana
