#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/moon.h"
#include "engine/prayer_times.h"
#include "engine/sun.h"
#include "platform/open_document.h"
#include "platform/windows_zone_rules.h"
#include "reports/holy_days_report.h"
#include "reports/timetable_report.h"
#include "temp_folder.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace korvana {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

// Rules given as Windows gives them for one year, the same for every year.
class FixedRules : public TimeZoneRules {
 public:
  FixedRules(const char* name, YearZoneInformation info) : name_(name), info_(info) {}
  ZoneOnDate OnDate(int year, int month, int day) const override {
    return EvaluateZoneOnDate(info_, year, month, day);
  }
  int CurrentStandardOffsetMinutes() const override { return -(info_.bias + info_.standardBias); }
  std::string Name() const override { return name_; }

 private:
  std::string name_;
  YearZoneInformation info_;
};

// ZoneTransition: year, month, weekday (0 Sunday), week (5 last) or day, hour.
const YearZoneInformation kCentralEurope = {-60, 0, -60, {0, 10, 0, 5, 3, 0}, {0, 3, 0, 5, 2, 0}};
const YearZoneInformation kUsEastern = {300, 0, -60, {0, 11, 0, 1, 2, 0}, {0, 3, 0, 2, 2, 0}};
const YearZoneInformation kAustraliaEastern = {-600, 0, -60, {0, 4, 0, 1, 3, 0},
                                               {0, 10, 0, 1, 2, 0}};
// Turkey in 2014: the change was put off to Monday 31 March for an election.
const YearZoneInformation kTurkey2014 = {-120, 0, -60, {0, 10, 0, 5, 4, 0}, {0, 3, 1, 5, 3, 0}};
// Turkey since 2016: UTC+3 all year.
const YearZoneInformation kTurkeyNow = {-180, 0, -60, {}, {}};

// The report's lines, parted at CR LF (the last one, a form feed's, ends
// the file without one).
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t stop = bytes.find("\r\n", start);
    if (stop == std::string::npos) stop = bytes.size();
    lines.push_back(bytes.substr(start, stop - start));
    start = stop + 2;
  }
  return lines;
}

bool IsRow(const std::string& line) {
  return line.size() > 5 && line[0] == ' ' && line[3] == '.' && line[4] == ' ' &&
         (line[1] == ' ' || (line[1] >= '0' && line[1] <= '9')) && line[2] >= '0' &&
         line[2] <= '9';
}

// The rows of each table in order (a form feed ends the last row of a table).
std::vector<std::vector<std::string>> Tables(const std::string& bytes) {
  std::vector<std::vector<std::string>> tables(1);
  for (std::string line : Lines(bytes)) {
    const bool last = !line.empty() && line.back() == '\f';
    if (last) line.pop_back();
    if (IsRow(line)) tables.back().push_back(line);
    if (last) tables.emplace_back();
  }
  tables.pop_back();
  return tables;
}

std::string Clock(int minutes) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
  return text;
}

// The ten times of a row, in order.
std::vector<std::string> RowTimes(const std::string& row) {
  std::vector<std::string> times;
  for (size_t i = 0; i + 5 <= row.size(); ++i)
    if (row[i + 2] == ':' && row[i] != ' ') {
      times.push_back(row.substr(i, 5));
      i += 4;
    }
  return times;
}

// The ten timings of a day computed at a fixed zone, as `times` would.
std::vector<std::string> TimingsAt(const CalcParams& p, int year, int month, int day,
                                   int zoneMinutes) {
  AstroState s;
  SetLocation(s, static_cast<int16_t>(p.latitude), static_cast<int16_t>(p.longitude),
              static_cast<int16_t>(zoneMinutes));
  SetDate(s, static_cast<int16_t>(day), static_cast<int16_t>(month), static_cast<int16_t>(year));
  std::vector<std::string> times;
  for (int kind = kFajr; kind <= kIsha; ++kind) times.push_back(Clock(GetPrayerTime(s, kind)));
  return times;
}

CalcParams Istanbul() {
  CalcParams p;
  p.latitude = 4101;
  p.longitude = 2897;
  p.timeZone = 180;
  p.cityName = "Istanbul";
  p.countryName = "Turkey";
  return p;
}

std::string Report(const CalcParams& p, const TimeZoneRules& rules, int year, int month,
                   bool yearly) {
  AstroState engine;
  TimetableReportJob job;
  job.yearly = yearly;
  job.year = year;
  job.month = month;
  job.params = &p;
  job.systemZone = &rules;
  return FormatTimetableReport(engine, job);
}

const FixedRules kNoRules("none", kTurkeyNow);

TEST(TimetableReport, MonthlyLayout) {
  const CalcParams p = Istanbul();
  const std::string bytes = Report(p, kNoRules, 2014, 6, false);
  // No bare line feed or carriage return anywhere.
  size_t crlf = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(bytes[i - 1], '\r');
      ++crlf;
    } else if (bytes[i] == '\r') {
      ASSERT_LT(i + 1, bytes.size());
      EXPECT_EQ(bytes[i + 1], '\n');
    }
  }
  EXPECT_GT(crlf, 100u);
  const std::string header =
      "\r\n\r\n\r\n\r\n\r\n\t\t\tCITY\t\t: Istanbul / Turkey\r\n\r\n"
      "\t\t\tLATITUDE\t: 41.01\xB0 NORTH\r\n"
      "\t\t\tLONGITUDE\t: 28.97\xB0 EAST\r\n"
      "\t\t\tTIME ZONE\t: +3.00\r\n"
      "\t\t\tDATE\t\t: June 2014\r\n"
      "\t\t\tDAYLIGHT SAVING\t: No\r\n\r\n"
      "\t\t\tQIBLA ANGLE\t: 151.6\xB0\r\n"
      "\t\t\tCOMPASS DRIFT\t:   5.0\xB0\r\n\r\n\r\n"
      " DAY   FAJR  SUNRISE ISHRAQ MID-DAY  ZUHR   ASR-I  ASR-II  FADING MAGHRIB  ISHA\r\n"
      " ---   -----  -----   -----  -----   -----  -----   -----  -----   -----  -----\r\n"
      "\r\n  1.   ";
  EXPECT_EQ(bytes.substr(0, header.size()), header);
  EXPECT_NE(bytes.find("\f\r\n\r\n\r\n\t\t\t\tSUN AZIMUTH ANGLE\r\n\r\n\r\n"
                       " DAY     04:00   06:00   08:00   10:00   12:00   14:00   16:00   18:00   20:00\r\n"
                       " ---     -----   -----   -----   -----   -----   -----   -----   -----   -----\r\n"
                       "\r\n  1.      "),
            std::string::npos);
  EXPECT_NE(bytes.find("\f\r\n\r\n\r\n\t\t\t\tMOON AZIMUTH ANGLE\r\n\r\n\r\n"
                       " DAY     00:00   02:00   04:00   06:00   08:00   16:00   18:00   20:00   22:00\r\n"
                       " ---     -----   -----   -----   -----   -----   -----   -----   -----   -----\r\n"),
            std::string::npos);
  EXPECT_EQ(bytes.back(), '\f');

  const auto tables = Tables(bytes);
  ASSERT_EQ(tables.size(), 3u);
  for (size_t t = 0; t < 3; ++t) {
    ASSERT_EQ(tables[t].size(), 30u) << t;
    for (size_t d = 0; d < 30; ++d) {
      EXPECT_EQ(tables[t][d].size(), t == 0 ? 79u : 77u) << tables[t][d];
      char day[8];
      std::snprintf(day, sizeof day, " %2zu. ", d + 1);
      EXPECT_EQ(tables[t][d].substr(0, 5), day);
    }
  }
  // Each time stands under the five dashes of its column.
  const std::string rule =
      " ---   -----  -----   -----  -----   -----  -----   -----  -----   -----  -----";
  for (size_t i = 0; i < rule.size(); ++i) EXPECT_EQ(rule[i] == '-', tables[0][9][i] != ' ') << i;
  for (int day = 1; day <= 30; ++day)
    EXPECT_EQ(RowTimes(tables[0][day - 1]), TimingsAt(p, 2014, 6, day, 180)) << day;
}

TEST(TimetableReport, AzimuthsAreWholeDegreesCutTowardZero) {
  const CalcParams p = Istanbul();
  const auto tables = Tables(Report(p, kNoRules, 2014, 6, false));
  ASSERT_EQ(tables.size(), 3u);
  const int kMoonHours[9] = {0, 2, 4, 6, 8, 16, 18, 20, 22};
  int cutUp = 0;  // cells whose tenths would have rounded up
  for (int day = 1; day <= 30; ++day) {
    AstroState s;
    SetLocation(s, 4101, 2897, 180);
    SetDate(s, static_cast<int16_t>(day), 6, 2014);
    for (int i = 0; i < 9; ++i) {
      SetTime(s, static_cast<int16_t>(kMoonHours[i]), 0);
      const int tenths = GetMoonAzimuth(s);
      char cell[16];
      std::snprintf(cell, sizeof cell, "     %03d", tenths / 10);
      EXPECT_EQ(tables[2][day - 1].substr(5 + 8 * i, 8), cell) << day << " " << i;
      if (tenths % 10 >= 5) ++cutUp;
    }
  }
  EXPECT_GT(cutUp, 0);  // the table really does cut, not round
}

TEST(TimetableReport, HeaderLinesOfOtherPlaces) {
  const struct {
    const char* name;
    int latitude, longitude, timeZone, dls;
    const char* expected;
  } cases[] = {
      {"south_and_west", -3352, -7037, -300, 0,
       "\t\t\tLATITUDE\t: 33.52\xB0 SOUTH\r\n\t\t\tLONGITUDE\t: 70.37\xB0 WEST\r\n"
       "\t\t\tTIME ZONE\t: -5.00\r\n"},
      {"short_longitude_right_aligned", 500, 705, 330, 0,
       "\t\t\tLATITUDE\t:  5.00\xB0 NORTH\r\n\t\t\tLONGITUDE\t:  7.05\xB0 EAST\r\n"
       "\t\t\tTIME ZONE\t: +5.50\r\n"},
      {"daylight_saving_yes", 0, 0, 0, 1,
       "\t\t\tDAYLIGHT SAVING\t: Yes\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CalcParams p;
    p.latitude = c.latitude;
    p.longitude = c.longitude;
    p.timeZone = c.timeZone;
    p.daylightSaving = c.dls;
    EXPECT_NE(Report(p, kNoRules, 2014, 6, true).find(c.expected), std::string::npos);
  }
}

TEST(TimetableReport, MonthLengths) {
  const struct {
    const char* name;
    int year, month;
    size_t rows;
  } cases[] = {{"december_ends_on_the_31st", 2014, 12, 31},
               {"leap_february", 2024, 2, 29},
               {"common_february", 2023, 2, 28},
               {"april", 2014, 4, 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto tables = Tables(Report(Istanbul(), kNoRules, c.year, c.month, false));
    ASSERT_EQ(tables.size(), 3u);
    for (const auto& table : tables) EXPECT_EQ(table.size(), c.rows);
  }
}

TEST(TimetableReport, YearlyHasTwelveBlocksAndNoAzimuths) {
  const std::string bytes = Report(Istanbul(), kNoRules, 2014, 6, true);
  const auto tables = Tables(bytes);
  ASSERT_EQ(tables.size(), 12u);
  const size_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (size_t m = 0; m < 12; ++m) {
    EXPECT_EQ(tables[m].size(), kDays[m]) << m;
    for (const std::string& row : tables[m]) EXPECT_EQ(row.size(), 79u);
  }
  EXPECT_EQ(bytes.find("AZIMUTH"), std::string::npos);
  EXPECT_NE(bytes.find("\t\t\tDATE\t\t: January 2014\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\t\t\tDATE\t\t: December 2014\r\n"), std::string::npos);
  size_t feeds = 0;
  for (const char c : bytes) feeds += c == '\f';
  EXPECT_EQ(feeds, 12u);
}

// With `Windows DLS` the system's rules decide, day by day, in the timetable
// and both azimuth tables alike.
TEST(TimetableReport, DaylightSavingFollowsTheSystemsRules) {
  const struct {
    const char* name;
    const char* zone;
    YearZoneInformation info;
    int latitude, longitude, timeZone;
    int year, month;
    int firstChangedDay;  // 0: no change in the month
    int before, after;    // zone minutes, daylight saving included
  } cases[] = {
      {"europe_last_sunday_of_march", "W. Europe Standard Time", kCentralEurope, 5252, 1340, 60,
       2014, 3, 30, 60, 120},
      {"turkey_2014_put_off_to_monday", "Turkey Standard Time", kTurkey2014, 4101, 2897, 120,
       2014, 3, 31, 120, 180},
      {"turkey_2017_no_daylight_saving", "Turkey Standard Time", kTurkeyNow, 4101, 2897, 180,
       2017, 7, 0, 180, 180},
      {"new_york_second_sunday_of_march", "Eastern Standard Time", kUsEastern, 4071, -7401,
       -300, 2014, 3, 9, -300, -240},
      {"new_york_first_sunday_of_november", "Eastern Standard Time", kUsEastern, 4071, -7401,
       -300, 2014, 11, 2, -240, -300},
      {"sydney_first_sunday_of_april", "AUS Eastern Standard Time", kAustraliaEastern, -3387,
       15121, 600, 2014, 4, 6, 660, 600},
      {"sydney_first_sunday_of_october", "AUS Eastern Standard Time", kAustraliaEastern, -3387,
       15121, 600, 2014, 10, 5, 600, 660},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const FixedRules rules(c.zone, c.info);
    CalcParams p;
    p.latitude = c.latitude;
    p.longitude = c.longitude;
    p.timeZone = c.timeZone;
    p.windowsDaylightSaving = 1;
    p.daylightSaving = 0;
    const std::string bytes = Report(p, rules, c.year, c.month, false);
    EXPECT_NE(bytes.find(std::string("\t\t\tDAYLIGHT SAVING\t: System (") + c.zone + ")\r\n"),
              std::string::npos);
    const auto tables = Tables(bytes);
    ASSERT_EQ(tables.size(), 3u);
    for (size_t d = 0; d < tables[0].size(); ++d) {
      const int day = static_cast<int>(d) + 1;
      const bool changed = c.firstChangedDay != 0 && day >= c.firstChangedDay;
      const int zone = changed ? c.after : c.before;
      EXPECT_EQ(RowTimes(tables[0][d]), TimingsAt(p, c.year, c.month, day, zone)) << day;
      AstroState s;
      SetLocation(s, static_cast<int16_t>(p.latitude), static_cast<int16_t>(p.longitude),
                  static_cast<int16_t>(zone));
      SetDate(s, static_cast<int16_t>(day), static_cast<int16_t>(c.month),
              static_cast<int16_t>(c.year));
      SetTime(s, 20, 0);  // the last column of the sun table
      char cell[16];
      std::snprintf(cell, sizeof cell, "     %03d", GetSunAzimuth(s) / 10);
      EXPECT_EQ(tables[1][d].substr(5 + 8 * 8, 8), cell) << day;
      SetTime(s, 22, 0);  // the last column of the moon table
      std::snprintf(cell, sizeof cell, "     %03d", GetMoonAzimuth(s) / 10);
      EXPECT_EQ(tables[2][d].substr(5 + 8 * 8, 8), cell) << day;
    }
  }
}

TEST(TimetableReport, ZoneOfADay) {
  const FixedRules europe("W. Europe Standard Time", kCentralEurope);
  const struct {
    const char* name;
    int timeZone, windowsTz, dls, windowsDls;
    int month, day;
    int standard, daylight;
  } cases[] = {
      {"settings_only", 330, 0, 0, 0, 7, 1, 330, 0},
      {"dls_all_year", 330, 0, 1, 0, 1, 1, 330, 60},
      {"system_standard_offset", 330, 1, 0, 0, 7, 1, 60, 0},
      {"system_standard_with_dls", 330, 1, 1, 0, 1, 1, 60, 60},
      {"system_rules_in_summer", 330, 0, 0, 1, 7, 1, 330, 60},
      {"system_rules_in_winter_ignore_dls", 330, 0, 1, 1, 1, 1, 330, 0},
      {"system_zone_and_rules", 330, 1, 0, 1, 7, 1, 60, 60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CalcParams p;
    p.timeZone = c.timeZone;
    p.windowsTimeZone = c.windowsTz;
    p.daylightSaving = c.dls;
    p.windowsDaylightSaving = c.windowsDls;
    const ReportDayZone zone = ReportZoneOnDate(p, europe, 2014, c.month, c.day);
    EXPECT_EQ(zone.standardOffsetMinutes, c.standard);
    EXPECT_EQ(zone.daylightMinutes, c.daylight);
  }
}

TEST(TimetableReport, WindowsTransitionRules) {
  const struct {
    const char* name;
    YearZoneInformation info;
    int year, month;
    int transition;  // the day of the daylight-saving start in that month
  } cases[] = {
      {"europe_2014", kCentralEurope, 2014, 3, 30},
      {"europe_2015", kCentralEurope, 2015, 3, 29},
      {"europe_2016_leap", kCentralEurope, 2016, 3, 27},
      {"us_2014", kUsEastern, 2014, 3, 9},
      {"us_2021", kUsEastern, 2021, 3, 14},
      {"australia_2014", kAustraliaEastern, 2014, 10, 5},
      {"turkey_2014_last_monday", kTurkey2014, 2014, 3, 31},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TransitionDay(c.info.daylightDate, c.year), c.transition);
    EXPECT_EQ(EvaluateZoneOnDate(c.info, c.year, c.month, c.transition - 1).daylightMinutes, 0);
    EXPECT_EQ(EvaluateZoneOnDate(c.info, c.year, c.month, c.transition).daylightMinutes, 60);
  }
  EXPECT_EQ(EvaluateZoneOnDate(kAustraliaEastern, 2014, 1, 15).daylightMinutes, 60);
  EXPECT_EQ(EvaluateZoneOnDate(kAustraliaEastern, 2014, 7, 15).daylightMinutes, 0);
  EXPECT_EQ(EvaluateZoneOnDate(kTurkeyNow, 2017, 7, 15).daylightMinutes, 0);
  EXPECT_EQ(EvaluateZoneOnDate(kTurkeyNow, 2017, 7, 15).standardOffsetMinutes, 180);
  // The same rules for code that asks only whether daylight saving applies.
  const FixedRules europe("W. Europe Standard Time", kCentralEurope);
  const DaylightSavingOnDate daylight = DaylightSavingOf(europe);
  EXPECT_FALSE(daylight(2014, 3, 29));
  EXPECT_TRUE(daylight(2014, 3, 30));
  EXPECT_FALSE(daylight(2014, 10, 26));
}

TEST(TimetableReport, UnwritableFolderWritesNothing) {
  TempFolder folder;
  const CalcParams p = Istanbul();
  AstroState engine;
  TimetableReportJob job;
  job.year = 2014;
  job.month = 6;
  job.params = &p;
  job.systemZone = &kNoRules;
  int32_t countdown = -1;
  const std::string inMissingFolder = folder.File("no-folder/korvana.txt");
  EXPECT_FALSE(WriteTimetableReport(inMissingFolder, engine, job, &countdown));
  EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
  EXPECT_EQ(countdown, 0);  // the next tick puts the engine back all the same
  EXPECT_FALSE(WriteHolyDaysReport(inMissingFolder, engine, 2014, &countdown));
  EXPECT_EQ(countdown, 0);

  const std::string path = folder.File("korvana.txt");
  folder.Write("korvana.txt", "an older, longer report that must be replaced whole");
  countdown = 3;
  ASSERT_TRUE(WriteTimetableReport(path, engine, job, &countdown));
  EXPECT_EQ(countdown, 0);
  EXPECT_EQ(ReadBytes(path), Report(p, kNoRules, 2014, 6, false));
}

TEST(HolyDaysReport, Year2014) {
  AstroState engine;
  SetLocation(engine, 4101, 2897, 180);
  const std::string expected =
      "\r\n\t\t  Holy Days of Year 2014\r\n\t\t--------------------------\r\n\r\n"
      "\t 12 January    Sunday      Mawlid-al Nabi\r\n"
      "\t 30 April      Wednesday   Start of Holy Months\r\n"
      "\t  1 May        Thursday    Lailatul-Raghaib\r\n"
      "\t 25 May        Sunday      Lailatul-Me'rac\r\n"
      "\t 12 June       Thursday    Nisfu-Sha'aban\r\n"
      "\t 28 June       Saturday    1. Day of Ramadhan\r\n"
      "\t 19 July       Saturday    Lailatul-Qadr(Sharani)\r\n"
      "\t 23 July       Wednesday   Lailatul-Qadr (R.27)\r\n"
      "\t 28 July       Monday      1. Day of Eid-al-Fitr\r\n"
      "\t 29 July       Tuesday     2. Day of Eid-al-Fitr\r\n"
      "\t 30 July       Wednesday   3. Day of Eid-al-Fitr\r\n"
      "\t  3 October    Friday      A'rafa\r\n"
      "\t  4 October    Saturday    1. Day of Eid-al-Adha\r\n"
      "\t  5 October    Sunday      2. Day of Eid-al-Adha\r\n"
      "\t  6 October    Monday      3. Day of Eid-al-Adha\r\n"
      "\t  7 October    Tuesday     4. Day of Eid-al-Adha\r\n"
      "\t 25 October    Saturday    Hijri New Year\r\n"
      "\t  3 November   Monday      Day of Ashura\r\n";
  EXPECT_EQ(FormatHolyDaysReport(engine, 2014), expected);
  // The report leaves the engine on the year's last day.
  EXPECT_EQ(DayOfYear(engine), 365);

  TempFolder folder;
  int32_t countdown = -1;
  ASSERT_TRUE(WriteHolyDaysReport(folder.File("h.txt"), engine, 2014, &countdown));
  EXPECT_EQ(countdown, 0);
  EXPECT_EQ(ReadBytes(folder.File("h.txt")), expected);
}

TEST(HolyDaysReport, LeapYearsWalk366Days) {
  // The engine's plain rule: every year divisible by 4, 2100 included.
  for (const int year : {2012, 2016, 2100}) {
    SCOPED_TRACE(year);
    AstroState engine;
    FormatHolyDaysReport(engine, year);
    EXPECT_EQ(DayOfYear(engine), 366);
  }
  AstroState engine;
  FormatHolyDaysReport(engine, 2014);
  EXPECT_EQ(DayOfYear(engine), 365);
}

#ifndef _WIN32
// The tz database's rules through TZ, as the console front end and the tests
// see this computer's zone.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    const char* old = std::getenv("TZ");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (had_) {
      setenv("TZ", old_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  bool had_ = false;
  std::string old_;
};

// The report is handed to xdg-open where it is installed, else left alone.
TEST(OpenDocument, HandsTheFileToXdgOpen) {
  TempFolder folder;
  const std::string log = folder.File("opened.txt");
  const std::string opener = folder.Write(
      "xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + log + "'\n");
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", folder.path().c_str(), 1);
  const bool opened = OpenDocument("/tmp/a report.txt");
  setenv("PATH", folder.File("empty").c_str(), 1);
  const bool withoutOpener = OpenDocument("/tmp/a report.txt");
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(withoutOpener);
  // The opener runs detached; give it a moment to leave its trace.
  for (int i = 0; i < 200 && ReadBytes(log).empty(); ++i) usleep(10000);
  EXPECT_EQ(ReadBytes(log), "/tmp/a report.txt");
}

TEST(HostTimeZoneRules, TzDatabaseZones) {
  const struct {
    const char* zone;
    int year, month, day;
    int standard, daylight;
  } cases[] = {
      {"Europe/Berlin", 2014, 3, 29, 60, 0},
      {"Europe/Berlin", 2014, 3, 30, 60, 60},
      {"Europe/Berlin", 2014, 10, 26, 60, 0},
      {"Europe/Istanbul", 2014, 3, 30, 120, 0},
      {"Europe/Istanbul", 2014, 3, 31, 120, 60},
      {"Europe/Istanbul", 2017, 7, 1, 180, 0},
      {"America/New_York", 2014, 3, 8, -300, 0},
      {"America/New_York", 2014, 3, 9, -300, 60},
      {"America/New_York", 2014, 11, 2, -300, 0},
      {"Australia/Sydney", 2014, 4, 5, 600, 60},
      {"Australia/Sydney", 2014, 4, 6, 600, 0},
      {"Australia/Sydney", 2014, 10, 5, 600, 60},
      // Written with a winter "negative" daylight saving in the tz database.
      {"Europe/Dublin", 2014, 1, 15, 0, 0},
      {"Europe/Dublin", 2014, 7, 15, 0, 60},
      {"Asia/Kathmandu", 2014, 7, 1, 345, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.year) + "-" +
                 std::to_string(c.month) + "-" + std::to_string(c.day));
    ScopedTimeZone zone(c.zone);
    const ZoneOnDate found = HostTimeZoneRules().OnDate(c.year, c.month, c.day);
    EXPECT_EQ(found.standardOffsetMinutes, c.standard);
    EXPECT_EQ(found.daylightMinutes, c.daylight);
    EXPECT_EQ(HostTimeZoneRules().Name(), c.zone);
  }
}

// A whole report with the real rules: Istanbul's March 2014 gains its hour
// on Monday the 31st, where the European rule would have put it on Sunday.
TEST(HostTimeZoneRules, TurkishMarch2014Report) {
  ScopedTimeZone zone("Europe/Istanbul");
  CalcParams p = Istanbul();
  p.timeZone = 120;
  p.windowsDaylightSaving = 1;
  const std::string bytes = Report(p, HostTimeZoneRules(), 2014, 3, false);
  EXPECT_NE(bytes.find("\t\t\tDAYLIGHT SAVING\t: System (Europe/Istanbul)\r\n"),
            std::string::npos);
  const auto tables = Tables(bytes);
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_EQ(RowTimes(tables[0][29]), TimingsAt(p, 2014, 3, 30, 120));
  EXPECT_EQ(RowTimes(tables[0][30]), TimingsAt(p, 2014, 3, 31, 180));
}
#endif

}  // namespace
}  // namespace korvana
