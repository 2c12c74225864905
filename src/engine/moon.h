#pragma once
// The moon for the state's date and clock time: position, phase,
// illumination, distances and the eclipse / crescent-visibility verdict.

#include "engine/astro_state.h"

namespace korvana {

// MoonVisibilityCode: 100 visible here, -100 visible elsewhere on earth,
// 0 too thin, 1..99 solar eclipse, -99..-1 lunar eclipse.
constexpr int16_t kMoonVisibleHere = 100;
constexpr int16_t kMoonVisibleElsewhere = -100;

// Evaluates everything for evalMinutes (local clock minutes) of the state's
// date; fills the shared and lunar fields of the state.
void ComputeMoonPosition(AstroState& s);

// Sets MoonValid, computes for clockMinutes, keeps the copies; returns the
// elongation in longitude in tenths of a degree, 0..3599.
int16_t GetMoonPhase(AstroState& s);
int16_t GetMoonAzimuth(AstroState& s);       // tenths of a degree from north
int16_t GetMoonElevation(AstroState& s);     // tenths of a degree, topocentric
int16_t GetMoonLatitude(AstroState& s);      // tenths of a degree (ecliptic)
int16_t GetMoonIllumination(AstroState& s);  // tenths of a percent, 0..1000
// Hundreds of km; topocentric when `topocentric` is not 0, else geocentric.
int16_t GetMoonDistance(AstroState& s, int16_t topocentric);
int16_t GetSunDistance(AstroState& s);  // tenths of a million km
// MoonVisibilityCode for the given crescent setting (0.02 degree units) and
// sight altitude (metres); recomputes when stale or when either differs.
int16_t GetMoonVisibility(AstroState& s, int16_t crescentVisibility, int16_t sightAltitude);

}  // namespace korvana
