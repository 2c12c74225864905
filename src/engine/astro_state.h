#pragma once
// The astronomical engine's single state record and its calendar arithmetic.
//
// Every real-valued field is a 32-bit float: a value is rounded to single
// precision each time it is stored here, while the arithmetic between two
// stores runs in double. Integer fields are 16-bit unless stated. Several
// getters compute into the shared fields as a side effect, and some clients
// read those fields directly, so the layout below is part of the interface.

#include <cstdint>

#include "engine/fp_guard.h"

namespace korvana {

struct AstroState {
  // --- Parameters (defaults at program start) ---
  int16_t crescentVisibility = 50;  // units of 0.02 degree (50 = 1.0 degree)
  int16_t calcMode = 4;             // calculation mode 0..5
  // Safety margins in minutes, indexed by PrayerKind 1..10; entry 0 unused.
  int16_t margins[11] = {0, -2, -7, 10, 0, 5, 5, 5, 0, 7, 2};
  float fajrAngle = -18.0f;  // degrees of sun altitude that define FAJR
  float ishaAngle = -17.0f;  // degrees of sun altitude that define ISHA

  // --- Inputs ---
  float latitude = 0;          // radians, north positive
  float longitudeMinutes = 0;  // minutes of time (degrees x 4), east positive
  int16_t timeZone = 0;        // minutes added to UT to get local clock time
  int16_t day = 0;             // civil date; day may lie outside the month
  int16_t month = 0;
  int16_t year = 0;            // in full, e.g. 2014
  int16_t clockMinutes = 0;    // local clock time, minutes after midnight
  int16_t evalMinutes = 0;     // clock minutes of the next solar evaluation;
                               // the margin applied during a prayer solve
  int16_t sightAltitude = 0;   // metres above the surroundings

  // --- Shared computed fields (meaning depends on the last computation) ---
  float workValue = 0;       // sun hour angle (rad) / solver hour angle (min) /
                             // earth-sun distance (millions of km)
  float declination = 0;     // sun declination (rad) / visibility scratch
  float transit = 0;         // Greenwich transit value (min, 0..1440) /
                             // moon phase fraction 0..1
  float obliquity = 0;       // obliquity of the ecliptic, radians
  float sunLongitude = 0;    // sun ecliptic longitude (rad) / crescent width
                             // (arc minutes)
  float sunMeanAnomaly = 0;  // sun mean anomaly (rad, not reduced) /
                             // illuminated fraction 0..1
  float moonLatitude = 0;    // moon ecliptic latitude, radians
  float sunElevation = 0;    // sun elevation, degrees

  // --- Prayer-time solver ---
  float fajrHourAngle = 0;    // minutes, from the latest FAJR solve (negative)
  float sunsetHourAngle = 0;  // minutes, from the latest SUNSET solve (or the
                              // night limit in modes 3 and 4)
  // Row of the high-latitude limit table used by the current solve (0..3);
  // after a lunar computation it holds the crescent-visibility code.
  int16_t limitClass = 0;

  // --- Lunar results ---
  float sunDistance = 0;       // millions of km
  float moonDistanceTopo = 0;  // thousands of km
  float moonDistanceGeo = 0;   // thousands of km
  float moonAzimuth = 0;       // tenths of a degree 0..3599 (integer value)
  float moonElevation = 0;     // topocentric, degrees, without refraction
  float horizonDip = 0;        // degrees
  // Copies kept by GetMoonPhase so later solar evaluations cannot disturb them.
  float keptSunDistance = 0;   // millions of km
  float keptIllumination = 0;  // fraction 0..1
  int16_t keptVisibility = 0;  // MoonVisibilityCode

  // --- Hijri calendar ---
  int16_t hijriMonth = 0;  // 1..12
  int16_t hijriYear = 0;   // e.g. 1435

  // --- Geomagnetic field ---
  float magNorth = 0;        // X, nT
  float magEast = 0;         // Y, nT
  float magDown = 0;         // Z, nT, positive down
  float magHorizontal = 0;   // H, nT
  float magDeclination = 0;  // D, degrees, east positive
  float magInclination = 0;  // I, degrees, positive downward
  int32_t MagneticDataValid = 0;  // 1 when the model is in date and H > 5000 nT

  // --- Cache flags (0 = stale) ---
  int16_t HijriValid = 0;
  int16_t MoonValid = 0;
  int16_t MagneticValid = 0;
};

// Days before month m in a common year, m = 1..13, then a sentinel.
extern const int16_t CumulativeDays[14];

constexpr int kMinutesPerDay = 1440;

// --- Setters (none validates its arguments) ---

// Latitude and longitude in hundredths of a degree (north and east
// positive, -9000..9000 and -18000..18000); time-zone offset in minutes east
// of UT, daylight saving included. Clears the Hijri, lunar and geomagnetic
// caches.
void SetLocation(AstroState& s, int16_t latitudeHundredths,
                 int16_t longitudeHundredths, int16_t timeZoneMinutes);
// Civil date; a day outside the month counts on from the month's start.
// Clears the Hijri, lunar and geomagnetic caches.
void SetDate(AstroState& s, int16_t day, int16_t month, int16_t year);
// Local clock time; clears the lunar cache only.
void SetTime(AstroState& s, int16_t hour, int16_t minute);
// Ten margins in minutes, FAJR .. ISHA. Clears nothing.
void SetMargins(AstroState& s, const int16_t marginsByKind[10]);
// Angles in hundredths of a degree (e.g. -1800), mode 0..5. Clears nothing.
void SetCalcParams(AstroState& s, int16_t fajrHundredths,
                   int16_t ishaHundredths, int16_t mode);

// --- Calendar arithmetic (1901..2099 exact; no century rule) ---

bool IsLeapYear(int year);
// Day of the year of the state's date, 1-based.
int16_t DayOfYear(const AstroState& s);
// Days from 2000-01-01 (day 0) to the state's date.
int32_t DayNumber(const AstroState& s);
// Weekday of the state's date, 1 = Monday .. 7 = Sunday.
int16_t GetWeekday(const AstroState& s);
// Month (1..12, 13 past the year's end) and day of month of a day of the
// state's year; returns the number of days through the month found.
int16_t MonthFromDayOfYear(const AstroState& s, int16_t dayOfYear,
                           int16_t* monthOut, int16_t* dayOut);
// Any minute count from -1440 upward reduced into 0..1439.
int16_t WrapMinutes(int16_t minutes);

// --- Name tables (index 0 gives the empty string) ---
const char* HijriMonthName(int16_t index);  // 0..12
const char* WeekdayName(int16_t index);     // 0..7, 1 = Monday
const char* MonthName(int16_t index);       // 0..12

}  // namespace korvana
