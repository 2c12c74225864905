#include <ctime>
#include <ostream>

#include "cli/cli_options.h"
#include "cli/cli_settings.h"
#include "cli/commands.h"
#include "dialogs/timing_rows.h"

namespace korvana::cli {

namespace {

// The program's default settings: crescent visibility 1.0 degree (in units
// of 0.02 degree) and an observer at ground level.
constexpr int16_t kDefaultCrescentVisibility = 50;
constexpr int16_t kDefaultSightAltitudeMetres = 0;

int MinutesNowOnLocalClock() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return local->tm_hour * 60 + local->tm_min;
}

}  // namespace

int RunAstroCommand(const Args& args, std::ostream& out, std::ostream& err) {
  std::set<std::string> allowed = kLocationOptions;
  allowed.insert(kSettingsOptions.begin(), kSettingsOptions.end());
  allowed.insert("time");
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, allowed, &options, &error)) {
    err << "korvana-cli astro: " << error << "\n";
    return 2;
  }
  if (!options.positional.empty()) {
    err << "korvana-cli astro: unexpected argument '" << options.positional.front() << "'\n";
    return 2;
  }
  if (const int status = FillOptionsFromSettings(options, "astro", err)) return status;
  if (!options.date) options.date = TodayOnLocalClock();
  if (!options.clockMinutes) options.clockMinutes = MinutesNowOnLocalClock();
  AstroState state;
  SetLocation(state, static_cast<int16_t>(options.latitude.value_or(0)),
              static_cast<int16_t>(options.longitude.value_or(0)),
              static_cast<int16_t>(options.timeZone.value_or(0)));
  SetCalcParams(state, static_cast<int16_t>(options.fajrAngle.value_or(-1800)),
                static_cast<int16_t>(options.ishaAngle.value_or(-1700)),
                static_cast<int16_t>(options.mode.value_or(4)));
  SetDate(state, static_cast<int16_t>(options.date->day), static_cast<int16_t>(options.date->month),
          static_cast<int16_t>(options.date->year));
  SetTime(state, static_cast<int16_t>(*options.clockMinutes / 60),
          static_cast<int16_t>(*options.clockMinutes % 60));
  const TimingAstroData data =
      FormatTimingAstroData(state, kDefaultCrescentVisibility, kDefaultSightAltitudeMetres,
                            TimingTextEncoding::kUtf8);
  for (const TimingRow& row : data.rows) out << row.label << " " << row.value << "\n";
  if (!data.moonLine.empty()) out << data.moonLine << "\n";
  return 0;
}

}  // namespace korvana::cli
