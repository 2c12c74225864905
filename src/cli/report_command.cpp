// korvana-cli report: the timetable and holy-days reports, the same bytes
// the tray program writes.

#include <ostream>

#include "cli/cli_options.h"
#include "cli/cli_settings.h"
#include "cli/commands.h"
#include "platform/program_path.h"
#include "platform/time_zone_rules.h"
#include "reports/holy_days_report.h"
#include "reports/timetable_report.h"

namespace korvana::cli {

int RunReportCommand(const Args& args, std::ostream& out, std::ostream& err) {
  std::set<std::string> allowed = kLocationOptions;
  allowed.insert(kSettingsOptions.begin(), kSettingsOptions.end());
  allowed.insert("out");
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, allowed, &options, &error)) {
    err << "korvana-cli report: " << error << "\n";
    return 2;
  }
  if (options.positional.size() != 1 ||
      (options.positional[0] != "month" && options.positional[0] != "year" &&
       options.positional[0] != "holydays")) {
    err << "korvana-cli report: say which report: month, year or holydays\n";
    return 2;
  }
  const std::string kind = options.positional[0];
  CliSettings settings;
  if (const int status = ResolveCliSettings(options, "report", &settings, err)) return status;
  const CivilDate date = options.date.value_or(TodayOnLocalClock());
  const std::string path = options.outPath.value_or(PathBesideExecutable("korvana.txt"));

  AstroState engine;
  PrepareEngine(settings, date, engine);
  bool written;
  if (kind == "holydays") {
    written = WriteHolyDaysReport(path, engine, date.year, nullptr);
  } else {
    TimetableReportJob job;
    job.yearly = kind == "year";
    job.year = date.year;
    job.month = date.month;
    job.params = &settings.params;
    job.systemZone = &HostTimeZoneRules();
    written = WriteTimetableReport(path, engine, job, nullptr);
  }
  if (!written) {
    err << "korvana-cli report: cannot write the report file '" << path << "'\n";
    return 1;
  }
  out << path << "\n";
  return 0;
}

}  // namespace korvana::cli
