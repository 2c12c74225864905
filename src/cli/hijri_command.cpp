#include <ostream>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "engine/hijri.h"

namespace korvana::cli {

int RunHijriCommand(const Args& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, {"date"}, &options, &error)) {
    err << "korvana-cli hijri: " << error << "\n";
    return 2;
  }
  if (!options.positional.empty()) {
    err << "korvana-cli hijri: unexpected argument '" << options.positional.front() << "'\n";
    return 2;
  }
  if (!options.date) options.date = TodayOnLocalClock();
  // The Hijri date depends on the civil date only, not on the place.
  AstroState state;
  SetDate(state, static_cast<int16_t>(options.date->day), static_cast<int16_t>(options.date->month),
          static_cast<int16_t>(options.date->year));
  const int day = GetHijriDay(state);
  const int month = GetHijriMonth(state);
  const int year = GetHijriYear(state);
  out << day << " " << HijriMonthName(static_cast<int16_t>(month)) << " " << year << "\n";
  const char* holyDay = GetHolyDayName(state);
  if (*holyDay != '\0') out << holyDay << "\n";
  return 0;
}

}  // namespace korvana::cli
