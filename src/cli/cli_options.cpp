#include "cli/cli_options.h"

#include <cstdio>
#include <ctime>

#include "settings/decimal_text.h"

namespace korvana::cli {

const std::set<std::string> kLocationOptions = {"lat", "lon", "tz", "date", "mode",
                                                "fajr-angle", "isha-angle"};
const std::set<std::string> kSettingsOptions = {"ini", "city", "city-row", "city-list"};

CivilDate TodayOnLocalClock() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return {local->tm_mday, local->tm_mon + 1, local->tm_year + 1900};
}

namespace {

bool ParseDate(const std::string& text, CivilDate* date) {
  int year = 0, month = 0, day = 0;
  char extra = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &extra) != 3) return false;
  // The engine's calendar is exact from 1901 to 2099.
  if (year < 1901 || year > 2099 || month < 1 || month > 12) return false;
  static const int kDaysInMonth[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (day < 1 || day > kDaysInMonth[month - 1]) return false;
  if (month == 2 && day == 29 && (year & 3) != 0) return false;
  *date = {day, month, year};
  return true;
}

bool ParseClock(const std::string& text, int* minutes) {
  int hour = 0, minute = 0;
  char extra = 0;
  if (text.size() != 5 || text[2] != ':') return false;
  if (std::sscanf(text.c_str(), "%2d:%2d%c", &hour, &minute, &extra) != 2) return false;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
  *minutes = hour * 60 + minute;
  return true;
}

bool ParseValue(const std::string& name, const std::string& value, CliOptions* o) {
  int32_t n = 0;
  if (name == "lat") {
    if (!ParseDecimalUnits(value, 100, -9000, 9000, &n)) return false;
    o->latitude = n;
  } else if (name == "lon") {
    if (!ParseDecimalUnits(value, 100, -18000, 18000, &n)) return false;
    o->longitude = n;
  } else if (name == "tz") {
    if (!ParseDecimalUnits(value, 60, -840, 840, &n)) return false;
    o->timeZone = n;
  } else if (name == "date") {
    CivilDate date;
    if (!ParseDate(value, &date)) return false;
    o->date = date;
  } else if (name == "time") {
    int minutes = 0;
    if (!ParseClock(value, &minutes)) return false;
    o->clockMinutes = minutes;
  } else if (name == "mode") {
    if (!ParseWholeNumber(value, 0, 5, &n)) return false;
    o->mode = n;
  } else if (name == "fajr-angle") {
    if (!ParseDecimalUnits(value, 100, -9000, 0, &n)) return false;
    o->fajrAngle = n;
  } else if (name == "isha-angle") {
    if (!ParseDecimalUnits(value, 100, -9000, 0, &n)) return false;
    o->ishaAngle = n;
  } else if (name == "ini" || name == "city" || name == "city-list" || name == "out") {
    if (value.empty()) return false;
    (name == "ini"    ? o->iniPath
     : name == "city" ? o->cityName
     : name == "out"  ? o->outPath
                      : o->cityListPath) = value;
  } else if (name == "city-row") {
    if (!ParseWholeNumber(value, 1, 30000, &n)) return false;
    o->cityRow = n;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& args, const std::set<std::string>& allowed,
                     CliOptions* options, std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.rfind("--", 0) != 0) {
      options->positional.push_back(word);
      continue;
    }
    const std::string name = word.substr(2);
    if (allowed.count(name) == 0) {
      *error = "unknown option " + word;
      return false;
    }
    if (i + 1 >= args.size()) {
      *error = "option " + word + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    if (!ParseValue(name, value, options)) {
      *error = "bad value for " + word + ": '" + value + "'";
      return false;
    }
  }
  return true;
}

}  // namespace korvana::cli
