#pragma once
// The clockwork of the program. The main window's one-second timer calls
// Tick; about once a minute a full check brings the engine to the current
// zone, date and minute, recomputes the day's timings when needed, warns a
// day ahead of a holy day, fires the alerts whose moment is the current
// minute, arms the wake-up timer and writes the tray tip and progress bar.
//
// Requests from the rest of the program go through two values of
// ProgramState: TickCountdown = 0 asks for a full check at the next tick;
// RefreshLevel = kTimingsStale (set with the countdown by whoever changes the
// location or the calculation parameters) makes it recompute TodayTimings.
// Reports and graphs that move the engine to other dates call
// HoldFullChecks before and ReleaseFullChecks after, and the next full check
// puts the engine back.

#include <cstdint>
#include <string>

#include "engine/prayer_times.h"
#include "platform/local_clock.h"
#include "settings/schema.h"
#include "shell/program_state.h"
#include "shell/shell_services.h"

namespace korvana {

// One expiry of the one-second timer (timer 5).
void Tick(ProgramState& state, ShellServices& services);

// WM_TIMECHANGE: a full check at the next tick.
void OnTimeChange(ProgramState& state);
// WM_DISPLAYCHANGE and the resume from suspend (PBT_APMRESUMESUSPEND): the
// next tick re-evaluates the current minute and re-renders the wallpaper.
void OnDisplayChange(ProgramState& state);

// What the settings' load, save and push operations ask of the scheduler,
// carried out on `state` (which must outlive the request).
SchedulerRequest SchedulerRequestFor(ProgramState& state);

// Before moving the engine to another date or minute: no full check for the
// next 9 ticks at least.
void HoldFullChecks(ProgramState& state);
// After: a full check at the next tick puts the engine back.
void ReleaseFullChecks(ProgramState& state);

// The alert moments met during one full check, for the wake-up timer.
struct AlertMoments {
  int32_t earliest = kNoAlertMinute;  // smallest moment met
  int32_t next = kNoAlertMinute;      // smallest moment met after the current minute
};
// Records `moment` (any minute count; reduced into 0..1439) and tells whether
// it is the current minute `now` (0..1439).
bool CheckAlertMoment(AlertMoments& moments, int32_t now, int32_t moment);

// Time-zone offset in minutes east of UTC, daylight saving included: the
// system's or the settings' standard offset, plus 60 when daylight saving
// applies (by the system's flag or the "DLS" setting).
int32_t EffectiveTimeZone(const CalcParams& calc, const TimeZoneInfo& zone);

// Minutes since 2000-01-01 00:00 UT of the engine's date and minute: a count
// that does not jump with the local clock's zone.
int32_t UniversalMinuteCount(const AstroState& astro);

// The tray tip "Time remained to NAME =  H:MM" for the local clock minute
// `now` (0..1439): the nearest timing ahead (or of this minute), or with
// `showAllRemainingTimes` off the prayer timing it stands for.
std::string FormatTip(const int16_t todayTimings[10], int32_t now, bool showAllRemainingTimes,
                      PrayerKind asrTiming);

// How much of the day (FAJR to SUNSET) or the night (SUNSET to FAJR) has
// passed at the local clock minute `now`, in minutes.
struct ProgressPosition {
  int32_t span = 0;
  int32_t passed = 0;
};
ProgressPosition ComputeProgress(const int16_t todayTimings[10], int32_t now);

}  // namespace korvana
