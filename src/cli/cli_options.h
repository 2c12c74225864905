#pragma once
// Options shared by the console front end's commands, and their parsing.

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace korvana::cli {

struct CivilDate {
  int day = 0, month = 0, year = 0;
};

struct CliOptions {
  std::optional<int> latitude;    // hundredths of a degree, north positive
  std::optional<int> longitude;   // hundredths of a degree, east positive
  std::optional<int> timeZone;    // minutes east of UTC, daylight saving included
  std::optional<CivilDate> date;  // --date YYYY-MM-DD
  std::optional<int> clockMinutes;  // --time HH:MM, minutes after midnight
  std::optional<int> mode;          // 0..5
  std::optional<int> fajrAngle;     // hundredths of a degree
  std::optional<int> ishaAngle;     // hundredths of a degree
  std::optional<std::string> iniPath;   // --ini FILE
  std::optional<std::string> cityName;  // --city NAME
  std::optional<int> cityRow;           // --city-row N, 1..30000
  std::optional<std::string> cityListPath;  // --city-list FILE
  std::optional<std::string> outPath;       // --out FILE
  std::vector<std::string> positional;  // arguments that are not options
};

// Parses `args` (the words after the command name). Only the option names in
// `allowed` (without the leading "--") are accepted. On failure returns false
// and sets `error` to a one-line message naming the problem.
bool ParseCliOptions(const std::vector<std::string>& args, const std::set<std::string>& allowed,
                     CliOptions* options, std::string* error);

// Today's date on this computer's local clock.
CivilDate TodayOnLocalClock();

// The option names every location-based command takes.
extern const std::set<std::string> kLocationOptions;
// The settings options: --ini, --city, --city-row, --city-list. A command
// that takes them resolves its settings with ResolveCliSettings
// (cli/cli_settings.h).
extern const std::set<std::string> kSettingsOptions;

}  // namespace korvana::cli
