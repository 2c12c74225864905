#pragma once
// The graph window's drawings: the Angles dials, the day's Trajectories of
// the sun and moon, and the Annual Prayer Graph. Each draws onto a canvas of
// the screen's size W x H that PrepareGraphCanvas has set up.

#include <cstdint>

#include "engine/astro_state.h"
#include "graphics/canvas.h"
#include "platform/daylight_saving.h"

namespace korvana {

// The ticks the scheduler is asked to leave the engine alone while a graph
// moves it to other minutes or dates.
inline constexpr int32_t kGraphTickHold = 9;

// The azimuth and elevation dials for the state's date and clock minute:
// horizon, north, compass (magnetic declination at `sightAltitude` metres),
// sun, moon and qibla.
void DrawAngles(Canvas& canvas, AstroState& state, int16_t sightAltitude);

// The sky of the state's whole date with the sun's and the moon's paths and
// their discs at the state's clock minute. Raises *tickCountdown to at least
// kGraphTickHold; leaves the engine at its clock minute again.
void DrawTrajectories(Canvas& canvas, AstroState& state, int32_t* tickCountdown);

struct AnnualGraphJob {
  AstroState* state = nullptr;
  int year = 0;              // the year of CurrentDateTime
  int latitude = 0;          // hundredths of a degree, north positive
  int longitude = 0;         // hundredths of a degree, east positive
  int standardZone = 0;      // minutes east of UTC without daylight saving
  bool daylightSaving = false;         // the DLS setting
  bool windowsDaylightSaving = false;  // the Windows DLS setting
  // With Windows DLS: the system's own rules for each date. When empty, the
  // fixed European rule stands in (last Sundays of March and October).
  DaylightSavingOnDate systemDaylightSaving;
  int32_t* tickCountdown = nullptr;  // the scheduler's; may be null
};

// The ten timings of days 1..365 of the year as dots over a month and hour
// grid. Raises *tickCountdown to at least kGraphTickHold while it works and
// sets it to 0 at the end, leaving the engine on the last day drawn for the
// scheduler to put back.
void DrawAnnualPrayerGraph(Canvas& canvas, AnnualGraphJob& job);

// The daylight-saving flag of the annual graph for each day of the year
// (index 0 = 1 January), as DrawAnnualPrayerGraph applies it.
void AnnualDaylightSavingFlags(const AnnualGraphJob& job, bool flags[365]);

}  // namespace korvana
