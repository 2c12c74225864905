#pragma once
// The settings a console command works with, as the tray program would have
// them: the INI file (--ini FILE, default korvana.ini beside the executable),
// then a place of the city list (--city NAME or --city-row N; the list is
// --city-list FILE, default korvana.csv beside the executable), then the
// location and calculation options of the command line, each overriding
// what came before for this run only. --tz fixes the zone, daylight saving
// included, as the other commands take it.

#include <iosfwd>
#include <string>

#include "cli/cli_options.h"
#include "engine/astro_state.h"
#include "settings/schema.h"

namespace korvana::cli {

struct CliSettings {
  std::string iniPath;
  std::string cityListPath;
  CalcParams params;                // "Calculation Parameters", options applied
  Options options;                  // "Options"
  int16_t crescentVisibility = 50;  // units of 0.02 degree
  int16_t sightAltitude = 0;        // metres
};

// Reads and applies everything. On failure writes one line to `err`
// ("korvana-cli COMMAND: ...") and returns the exit status (1: a file cannot
// be read or holds no such place; 2: a name matches no place or several
// places, which are listed); returns 0 on success.
int ResolveCliSettings(const CliOptions& options, const std::string& command,
                       CliSettings* settings, std::ostream& err);

// For commands that take their location and parameters as CliOptions:
// resolves the settings as above and fills each location and calculation
// option the command line left unset (the zone is that of --date, or of
// today, daylight saving included). Same result as ResolveCliSettings.
// `resolved`, when given, receives the settings as resolved (before the zone
// is reduced to that one date).
int FillOptionsFromSettings(CliOptions& options, const std::string& command, std::ostream& err,
                            CalcParams* resolved = nullptr);

// Sets the engine up for a civil date: location, the day's zone (daylight
// saving included), margins, angles, mode, crescent visibility and sight
// altitude.
void PrepareEngine(const CliSettings& settings, const CivilDate& date, AstroState& engine);

}  // namespace korvana::cli
