#pragma once
// The monthly and yearly timetable reports: plain text for the configured
// location, CR LF line ends, single-byte Windows-1252 text (byte 0xB0 is the
// degree sign), a form feed after each table. The monthly report adds the
// sun's and the moon's azimuths at fixed clock hours.
//
// With `Windows DLS` set, each day's daylight saving follows the system's
// own rules for that date (and, with `Windows TZ`, so does the standard
// offset); the DAYLIGHT SAVING line then names the rules.

#include <cstdint>
#include <string>

#include "engine/astro_state.h"
#include "platform/time_zone_rules.h"
#include "settings/schema.h"

namespace korvana {

// What a report is asked to show.
struct TimetableReportJob {
  bool yearly = false;  // January to December of `year`, without azimuth tables
  int year = 0;         // of CurrentDateTime, in full (1901..2099)
  int month = 0;        // of CurrentDateTime, 1..12 (the monthly report's month)
  const CalcParams* params = nullptr;          // location and daylight-saving keys
  const TimeZoneRules* systemZone = nullptr;   // for `Windows TZ` and `Windows DLS`
};

// The zone of one day of a report, minutes east of UTC.
struct ReportDayZone {
  int standardOffsetMinutes = 0;  // shown on the TIME ZONE line
  int daylightMinutes = 0;        // added for the day's timings (0: none)
};

// `Time Zone` or, with `Windows TZ`, the system's standard offset (of the
// date itself when `Windows DLS` is set too, else the current one); the
// daylight saving of `DLS` (60 minutes) or, with `Windows DLS`, of the
// system's rules for the date.
ReportDayZone ReportZoneOnDate(const CalcParams& params, const TimeZoneRules& systemZone,
                               int year, int month, int day);

// The report's bytes. Drives the engine through the days (the sight
// altitude for the compass drift is the engine's); leaves it on the last
// day and hour computed.
std::string FormatTimetableReport(AstroState& engine, const TimetableReportJob& job);

// Writes the report to `path`, replacing the file whole. While it drives the
// engine it raises *tickCountdown (when given) to at least 9 and sets it to
// 0 at the end, so that the next full check puts the engine back. False when
// the file cannot be written (the folder missing or read-only, the file
// read-only); nothing is then changed on disk.
bool WriteTimetableReport(const std::string& path, AstroState& engine,
                          const TimetableReportJob& job, int32_t* tickCountdown);

}  // namespace korvana
