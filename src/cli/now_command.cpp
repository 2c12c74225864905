// korvana-cli now: the tray tip and the progress bar for a moment, computed
// by the tray program's own full check with every alert kept silent.

#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "cli/cli_settings.h"
#include "cli/commands.h"
#include "platform/local_clock.h"
#include "platform/time_zone_rules.h"
#include "shell/program_state.h"
#include "shell/scheduler.h"
#include "shell/silent_shell.h"

namespace korvana::cli {

namespace {

// Everything a full check reaches, doing nothing but keeping the tip and the
// progress bar's position. The system's zone information is the host's on
// the date asked for.
class QuietShell final : public SilentShell {
 public:
  LocalDateTime moment;
  std::string tip;
  int span = 0;
  int passed = 0;

  LocalDateTime GetLocalTime() override { return moment; }
  TimeZoneInfo GetTimeZoneInformation() override {
    const ZoneOnDate zone = HostTimeZoneRules().OnDate(moment.year, moment.month, moment.day);
    TimeZoneInfo info;
    info.bias = -zone.standardOffsetMinutes;
    info.daylightNow = zone.daylightMinutes != 0;
    return info;
  }
  void ShowTip(const std::string& text) override { tip = text; }
  void SetProgress(int range, int position) override {
    span = range;
    passed = position;
  }
};

}  // namespace

int RunNowCommand(const Args& args, std::ostream& out, std::ostream& err) {
  std::set<std::string> allowed = kLocationOptions;
  allowed.insert(kSettingsOptions.begin(), kSettingsOptions.end());
  allowed.insert("time");
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, allowed, &options, &error)) {
    err << "korvana-cli now: " << error << "\n";
    return 2;
  }
  if (!options.positional.empty()) {
    err << "korvana-cli now: unexpected argument '" << options.positional.front() << "'\n";
    return 2;
  }
  CliSettings settings;
  if (const int status = ResolveCliSettings(options, "now", &settings, err)) return status;

  QuietShell shell;
  LocalDateTime& moment = shell.moment;
  moment = HostLocalClock().GetLocalTime();
  if (options.date) {
    moment.year = static_cast<uint16_t>(options.date->year);
    moment.month = static_cast<uint16_t>(options.date->month);
    moment.day = static_cast<uint16_t>(options.date->day);
  }
  if (options.clockMinutes) {
    moment.hour = static_cast<uint16_t>(*options.clockMinutes / 60);
    moment.minute = static_cast<uint16_t>(*options.clockMinutes % 60);
  }
  moment.second = 0;
  moment.millisecond = 0;
  moment.weekday = FromLocalFileTime(LocalFileTime(moment)).weekday;

  ProgramState state;
  state.calc = settings.params;
  state.options = settings.options;
  // The moment is the one asked for, taken as entered (as while the
  // Real-time box is off), and every alert stays silent: nothing is played,
  // shown or written.
  state.RealTimeMode = false;
  state.CurrentDateTime = moment;
  state.MessageMode = kMessagesNone;
  state.AdhanSalawaatOn = false;
  // No INI path either: the holy-day check neither reads nor writes "Last
  // Holy Day".
  PushCalcParams(state.calc, state.astro, SchedulerRequestFor(state));

  ShellServices services = shell.Services();
  Tick(state, services);
  out << shell.tip << "\n" << shell.passed << "/" << shell.span << "\n";
  return 0;
}

}  // namespace korvana::cli
