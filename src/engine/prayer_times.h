#pragma once
// The ten daily timings as minutes of local clock time.

#include "engine/astro_state.h"

namespace korvana {

// The ten timings, numbered as the margins are indexed.
enum PrayerKind : int16_t {
  kFajr = 1,
  kSunrise = 2,
  kIshraq = 3,
  kMidDay = 4,
  kZuhr = 5,
  kAsr1 = 6,
  kAsr2 = 7,
  kFading = 8,
  kSunset = 9,
  kIsha = 10,
};

// Display names of the timings, index 0..9 (kind - 1).
extern const char* const TimingNames[10];

// Hour-angle limits by limit class: largest and smallest allowed cosine.
struct HourAngleLimit {
  float largestCosine;
  float smallestCosine;
};
extern const HourAngleLimit HighLatitudeLimits[4];

// Signed hour angle in minutes of the moment the sun reaches the altitude
// encoded by x (radians): x below pi/2 is a morning event at altitude x,
// otherwise an evening event at altitude pi - x. Leaves it in workValue.
float SolveHourAngle(AstroState& s, float x);
// Hour angle in minutes of ASR with shadow factor 1 (ASR-I) or 2 (ASR-II).
float SolveAsr(AstroState& s, int shadowFactor);

// Minute of local clock time 0..1439 of a timing (kind 1..10) for the state's
// date, location and parameters. Compute kinds 1..10 in increasing order for
// each date: MID-DAY needs the latest FAJR, ISHA the latest SUNSET.
int16_t GetPrayerTime(AstroState& s, int kind);

}  // namespace korvana
