#include "cli/cli_settings.h"

#include <cstdio>
#include <ostream>
#include <vector>

#include "platform/file_replace.h"
#include "platform/program_path.h"
#include "platform/time_zone_rules.h"
#include "reports/timetable_report.h"
#include "settings/city_list.h"

namespace korvana::cli {
namespace {

std::string DegreesText(int hundredths) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", hundredths / 100.0);
  return text;
}

}  // namespace

int ResolveCliSettings(const CliOptions& o, const std::string& command, CliSettings* s,
                       std::ostream& err) {
  const std::string prefix = "korvana-cli " + command + ": ";
  s->iniPath = o.iniPath.value_or(PathBesideExecutable("korvana.ini"));
  s->cityListPath = o.cityListPath.value_or(PathBesideExecutable("korvana.csv"));
  if (o.iniPath) {
    // A file named on the command line must be there; the default may be
    // missing (every key then has its default, as in the tray program).
    std::string bytes;
    if (ReadWholeFile(*o.iniPath, &bytes) != FileReadResult::kRead) {
      err << prefix << "cannot read the settings file '" << *o.iniPath << "'\n";
      return 1;
    }
  }
  AstroState scratch;
  s->params = ReadCalcParams(s->iniPath);
  LoadOptions(s->iniPath, s->options, scratch, nullptr, {});
  s->crescentVisibility = scratch.crescentVisibility;
  s->sightAltitude = scratch.sightAltitude;

  if (o.cityName && o.cityRow) {
    err << prefix << "give either --city or --city-row, not both\n";
    return 2;
  }
  if (o.cityName) {
    std::vector<CityRow> places;
    if (!ReadCityList(s->cityListPath, &places)) {
      err << prefix << "cannot read the city list '" << s->cityListPath << "'\n";
      return 1;
    }
    const std::vector<CityRow> found = FindCities(places, *o.cityName);
    if (found.empty()) {
      err << prefix << "no place named '" << *o.cityName << "' in the city list\n";
      return 2;
    }
    if (found.size() > 1) {
      err << prefix << found.size() << " places are named '" << *o.cityName
          << "'; choose one with --city-row:\n";
      for (const CityRow& place : found) {
        err << "  row " << place.row << ": " << place.cityName << " / " << place.countryName
            << ", latitude " << DegreesText(place.latitude) << ", longitude "
            << DegreesText(place.longitude) << "\n";
      }
      return 2;
    }
    s->params.cityNumber = found.front().row;
  } else if (o.cityRow) {
    s->params.cityNumber = *o.cityRow;
  }
  if (o.cityName || o.cityRow) {
    switch (ReadCityListRow(s->cityListPath, s->params)) {
      case CityRowResult::kRead:
        break;
      case CityRowResult::kNoList:
        err << prefix << "cannot read the city list '" << s->cityListPath << "'\n";
        return 1;
      case CityRowResult::kNotAPlace:
        err << prefix << "row " << s->params.cityNumber << " of the city list '"
            << s->cityListPath << "' holds no place\n";
        return 1;
    }
    // The list gives a standard offset; its daylight saving stays as set.
    s->params.windowsTimeZone = 0;
  }

  if (o.latitude) s->params.latitude = *o.latitude;
  if (o.longitude) s->params.longitude = *o.longitude;
  if (o.timeZone) {
    s->params.timeZone = *o.timeZone;
    s->params.windowsTimeZone = 0;
    s->params.daylightSaving = 0;
    s->params.windowsDaylightSaving = 0;
  }
  if (o.mode) s->params.calcMode = *o.mode;
  if (o.fajrAngle) s->params.fajrAngle = static_cast<float>(*o.fajrAngle / 100.0);
  if (o.ishaAngle) s->params.ishaAngle = static_cast<float>(*o.ishaAngle / 100.0);
  return 0;
}

int FillOptionsFromSettings(CliOptions& o, const std::string& command, std::ostream& err,
                            CalcParams* resolved) {
  CliSettings s;
  if (const int status = ResolveCliSettings(o, command, &s, err)) return status;
  if (resolved != nullptr) *resolved = s.params;
  const CivilDate date = o.date.value_or(TodayOnLocalClock());
  const ReportDayZone zone =
      ReportZoneOnDate(s.params, HostTimeZoneRules(), date.year, date.month, date.day);
  if (!o.latitude) o.latitude = s.params.latitude;
  if (!o.longitude) o.longitude = s.params.longitude;
  if (!o.timeZone) o.timeZone = zone.standardOffsetMinutes + zone.daylightMinutes;
  if (!o.mode) o.mode = s.params.calcMode;
  if (!o.fajrAngle) o.fajrAngle = AngleHundredths(s.params.fajrAngle);
  if (!o.ishaAngle) o.ishaAngle = AngleHundredths(s.params.ishaAngle);
  return 0;
}

void PrepareEngine(const CliSettings& s, const CivilDate& date, AstroState& engine) {
  const ReportDayZone zone =
      ReportZoneOnDate(s.params, HostTimeZoneRules(), date.year, date.month, date.day);
  SetLocation(engine, static_cast<int16_t>(s.params.latitude),
              static_cast<int16_t>(s.params.longitude),
              static_cast<int16_t>(zone.standardOffsetMinutes + zone.daylightMinutes));
  PushCalcParams(s.params, engine, {});
  engine.crescentVisibility = s.crescentVisibility;
  engine.sightAltitude = s.sightAltitude;
  SetDate(engine, static_cast<int16_t>(date.day), static_cast<int16_t>(date.month),
          static_cast<int16_t>(date.year));
}

}  // namespace korvana::cli
