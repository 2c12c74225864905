#include <cstdio>
#include <ostream>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "engine/prayer_times.h"

namespace korvana::cli {

int RunTimesCommand(const Args& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, kLocationOptions, &options, &error)) {
    err << "korvana-cli times: " << error << "\n";
    return 2;
  }
  if (!options.positional.empty()) {
    err << "korvana-cli times: unexpected argument '" << options.positional.front() << "'\n";
    return 2;
  }
  if (!options.date) options.date = TodayOnLocalClock();
  AstroState state;
  SetLocation(state, static_cast<int16_t>(options.latitude.value_or(0)),
              static_cast<int16_t>(options.longitude.value_or(0)),
              static_cast<int16_t>(options.timeZone.value_or(0)));
  SetCalcParams(state, static_cast<int16_t>(options.fajrAngle.value_or(-1800)),
                static_cast<int16_t>(options.ishaAngle.value_or(-1700)),
                static_cast<int16_t>(options.mode.value_or(4)));
  SetDate(state, static_cast<int16_t>(options.date->day), static_cast<int16_t>(options.date->month),
          static_cast<int16_t>(options.date->year));
  for (int kind = kFajr; kind <= kIsha; ++kind) {
    const int minutes = GetPrayerTime(state, kind);
    char line[40];
    std::snprintf(line, sizeof line, "%-8s %02d:%02d\n", TimingNames[kind - 1], minutes / 60,
                  minutes % 60);
    out << line;
  }
  return 0;
}

}  // namespace korvana::cli
