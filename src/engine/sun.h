#pragma once
// The sun's position for the state's date and a clock time, from a short
// low-precision theory, and the qibla bearing from the same azimuth formula.

#include "engine/astro_state.h"

namespace korvana {

// --- Internal operations, shared with the solver, the moon and the pictures ---

// Days from 2000-01-01 12:00 UT to the moment whose hour angle in minutes is
// workValue (with the transit currently held).
double DaysSinceJ2000(const AstroState& s);
// Local clock minutes at which the sun crosses the meridian.
double TransitClockTime(const AstroState& s);
// The sun's hour angle in minutes of time at evalMinutes.
double HourAngleMinutes(const AstroState& s);
// Fills sunMeanAnomaly, obliquity, sunLongitude, transit and declination for
// the moment given by DaysSinceJ2000.
void ComputeSunPosition(AstroState& s);
// Evaluates the sun at evalMinutes: workValue becomes the hour angle in
// radians, sunElevation the elevation in degrees.
void UpdateSunAtTime(AstroState& s);
// Elevation in radians for hour angle workValue (rad), declination and
// latitude of the state.
double ElevationFromHourAngle(const AstroState& s);
// Azimuth in tenths of a degree, 0..3599 clockwise from north, for hour angle
// workValue (rad), latitude and the given declination (rad).
int16_t AzimuthFromHourAngle(const AstroState& s, float declinationRad);

// --- Getters at clockMinutes (each sets evalMinutes = clockMinutes) ---

int16_t GetSunAzimuth(AstroState& s);            // tenths of a degree, 0..3599
int16_t GetSunElevation(AstroState& s);          // tenths of a degree, -900..900
int16_t GetSunEclipticLongitude(AstroState& s);  // tenths of a degree, 0..3599
int16_t GetSunDeclination(AstroState& s);        // tenths of a degree
int16_t GetEquationOfTime(AstroState& s);        // tenths of a minute
// Initial great-circle bearing to the Kaaba, tenths of a degree from north.
// Does not touch the sun; leaves the longitude difference in workValue.
int16_t GetQiblaAngle(AstroState& s);

}  // namespace korvana
