#include <cstdio>
#include <ostream>

#include "cli/cli_options.h"
#include "cli/cli_settings.h"
#include "cli/commands.h"
#include "engine/prayer_times.h"

namespace korvana::cli {

int RunTimesCommand(const Args& args, std::ostream& out, std::ostream& err) {
  std::set<std::string> allowed = kLocationOptions;
  allowed.insert(kSettingsOptions.begin(), kSettingsOptions.end());
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, allowed, &options, &error)) {
    err << "korvana-cli times: " << error << "\n";
    return 2;
  }
  if (!options.positional.empty()) {
    err << "korvana-cli times: unexpected argument '" << options.positional.front() << "'\n";
    return 2;
  }
  CliSettings settings;
  if (const int status = ResolveCliSettings(options, "times", &settings, err)) return status;
  if (!options.date) options.date = TodayOnLocalClock();
  AstroState state;
  PrepareEngine(settings, *options.date, state);
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
