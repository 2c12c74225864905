// korvana-cli report, and the settings every location-based command reads:
// --ini, --city, --city-row.

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "temp_folder.h"

namespace korvana::cli {
namespace {

using korvana::testing::ReadBytes;
using korvana::testing::TempFolder;

struct Result {
  int status;
  std::string out, err;
};

Result RunCli(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
  std::ostringstream out, err;
  const int status = command(args, out, err);
  return {status, out.str(), err.str()};
}

Args With(Args args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

const Args kIstanbul = {"--lat", "41.01", "--lon", "28.97", "--tz", "3"};
const std::string kSampleList = std::string(KORVANA_TEST_DATA_DIR) + "/settings/city_list_sample.csv";

std::string DateText(int year, int month, int day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
  return text;
}

// "HH:MM" of each line of `times`.
std::vector<std::string> TimesOf(const Result& r) {
  std::vector<std::string> times;
  std::istringstream lines(r.out);
  std::string name, clock;
  while (lines >> name >> clock) times.push_back(clock);
  return times;
}

TEST(CliReport, MonthlyRowsCarryTheTimingsOfTimes) {
  TempFolder folder;
  const std::string path = folder.File("r.txt");
  const Result r = RunCli(RunReportCommand,
                       With(kIstanbul, {"month", "--date", "2014-06-01", "--out", path}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, path + "\n");
  const std::string bytes = ReadBytes(path);
  std::vector<std::string> rows;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t stop = bytes.find("\r\n", start);
    if (stop == std::string::npos) stop = bytes.size();
    std::string line = bytes.substr(start, stop - start);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    if (!line.empty() && line.back() == '\f') line.pop_back();
    if (line.size() > 4 && line[3] == '.' && line[0] == ' ') rows.push_back(line);
    start = stop + 2;
  }
  ASSERT_EQ(rows.size(), 90u);
  for (int day = 1; day <= 30; ++day) {
    SCOPED_TRACE(day);
    const std::string& row = rows[day - 1];
    EXPECT_EQ(row.size(), 79u);
    EXPECT_EQ(rows[29 + day].size(), 77u);
    EXPECT_EQ(rows[59 + day].size(), 77u);
    const Result times = RunCli(RunTimesCommand, With(kIstanbul, {"--date", DateText(2014, 6, day)}));
    ASSERT_EQ(times.status, 0);
    std::vector<std::string> inRow;
    for (size_t i = 5; i + 5 <= row.size(); ++i)
      if (row[i + 2] == ':') {
        inRow.push_back(row.substr(i, 5));
        i += 4;
      }
    EXPECT_EQ(inRow, TimesOf(times));
  }
}

TEST(CliReport, HolyDaysOf2014) {
  TempFolder folder;
  const std::string path = folder.File("h.txt");
  const Result r = RunCli(RunReportCommand, {"holydays", "--date", "2014-01-01", "--out", path});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = ReadBytes(path);
  const char* kDays[] = {
      "12 January    Sunday      Mawlid-al Nabi", "30 April      Wednesday   Start of Holy Months",
      " 1 May        Thursday    Lailatul-Raghaib", "25 May        Sunday      Lailatul-Me'rac",
      "12 June       Thursday    Nisfu-Sha'aban", "28 June       Saturday    1. Day of Ramadhan",
      "19 July       Saturday    Lailatul-Qadr(Sharani)",
      "23 July       Wednesday   Lailatul-Qadr (R.27)",
      "28 July       Monday      1. Day of Eid-al-Fitr",
      "29 July       Tuesday     2. Day of Eid-al-Fitr",
      "30 July       Wednesday   3. Day of Eid-al-Fitr", " 3 October    Friday      A'rafa",
      " 4 October    Saturday    1. Day of Eid-al-Adha",
      " 5 October    Sunday      2. Day of Eid-al-Adha",
      " 6 October    Monday      3. Day of Eid-al-Adha",
      " 7 October    Tuesday     4. Day of Eid-al-Adha",
      "25 October    Saturday    Hijri New Year", " 3 November   Monday      Day of Ashura"};
  std::string expected = "\r\n\t\t  Holy Days of Year 2014\r\n\t\t--------------------------\r\n\r\n";
  for (const char* day : kDays) expected += std::string("\t ") + day + "\r\n";
  EXPECT_EQ(bytes, expected);
}

TEST(CliReport, BadUse) {
  TempFolder folder;
  const struct {
    const char* name;
    Args args;
    int status;
    const char* message;
  } cases[] = {
      {"no_kind", {"--date", "2014-01-01"}, 2, "say which report"},
      {"unknown_kind", {"weekly"}, 2, "say which report"},
      {"unwritable_folder", {"month", "--out", folder.File("missing/r.txt")}, 1,
       "cannot write the report file"},
      {"missing_settings_file", {"year", "--ini", folder.File("none.ini")}, 1,
       "cannot read the settings file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Result r = RunCli(RunReportCommand, c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

// `times` computes from the settings file, with the command line on top.
TEST(CliSettings, TimesReadTheSettingsFile) {
  TempFolder folder;
  const std::string plain = folder.Write(
      "plain.ini",
      "[Calculation Parameters]\r\nLatitude=4101\r\nLongitude=2897\r\nTime Zone=120\r\nDLS=1\r\n");
  const std::string margins = folder.Write(
      "margins.ini",
      "[Calculation Parameters]\r\nLatitude=4101\r\nLongitude=2897\r\nTime Zone=180\r\n"
      "FAJR Margin=-12\r\nISHA Margin=12\r\n");
  const std::string garbage = folder.Write(
      "garbage.ini",
      "[Calculation Parameters]\r\nLatitude=north\r\nLongitude=\r\nCalc. Mode=x\r\n"
      "Fajr Angle=" + std::string(400, '9') + "\r\n");
  const std::string date = "2014-06-21";
  const std::vector<std::string> reference =
      TimesOf(RunCli(RunTimesCommand, With(kIstanbul, {"--date", date})));
  ASSERT_EQ(reference.size(), 10u);

  // Standard time +2 with daylight saving is the +3 of the command line.
  EXPECT_EQ(TimesOf(RunCli(RunTimesCommand, {"--ini", plain, "--date", date})), reference);
  // Options override the file's location and zone (daylight saving too).
  const std::string empty = folder.Write("empty.ini", "");
  const std::vector<std::string> atZero =
      TimesOf(RunCli(RunTimesCommand, {"--ini", empty, "--lat", "0", "--lon", "0", "--tz", "0",
                                    "--date", date}));
  ASSERT_EQ(atZero.size(), 10u);
  EXPECT_EQ(TimesOf(RunCli(RunTimesCommand, {"--ini", plain, "--lat", "0", "--lon", "0", "--tz",
                                          "0", "--date", date})),
            atZero);
  // Margins of the file: FAJR 10 minutes earlier, ISHA 10 minutes later.
  const std::vector<std::string> withMargins =
      TimesOf(RunCli(RunTimesCommand, {"--ini", margins, "--date", date}));
  ASSERT_EQ(withMargins.size(), 10u);
  const auto minutes = [](const std::string& clock) {
    return std::stoi(clock.substr(0, 2)) * 60 + std::stoi(clock.substr(3));
  };
  EXPECT_EQ(minutes(reference[0]) - minutes(withMargins[0]), 10);
  EXPECT_EQ(minutes(withMargins[9]) - minutes(reference[9]), 10);
  EXPECT_EQ(std::vector<std::string>(withMargins.begin() + 1, withMargins.end() - 1),
            std::vector<std::string>(reference.begin() + 1, reference.end() - 1));
  // --mode overrides the file's mode: mode 0 applies no margins.
  EXPECT_NE(TimesOf(RunCli(RunTimesCommand, {"--ini", margins, "--date", date, "--mode", "0"})),
            withMargins);
  // Garbage values read as numbers the way the profile functions read them.
  const Result g = RunCli(RunTimesCommand, {"--ini", garbage, "--date", date});
  EXPECT_EQ(g.status, 0) << g.err;
  EXPECT_EQ(TimesOf(g).size(), 10u);
}

TEST(CliSettings, AstroReadsTheSettingsFile) {
  TempFolder folder;
  const std::string ini = folder.Write(
      "k.ini",
      "[Calculation Parameters]\r\nLatitude=4101\r\nLongitude=2897\r\nTime Zone=120\r\nDLS=1\r\n");
  const Args moment = {"--date", "2014-07-05", "--time", "20:00"};
  const Result fromFile = RunCli(RunAstroCommand, With(moment, {"--ini", ini}));
  const Result fromOptions = RunCli(RunAstroCommand, With(moment, {"--lat", "41.01", "--lon", "28.97", "--tz", "3", "--ini", folder.Write("empty.ini", "")}));
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out, fromOptions.out);
  EXPECT_NE(fromFile.out.find("QIBLA      = 151.6"), std::string::npos) << fromFile.out;
}

TEST(CliSettings, PlacesOfTheCityList) {
  TempFolder folder;
  const std::string date = "2014-06-21";
  const std::vector<std::string> istanbulAtTwo = TimesOf(
      RunCli(RunTimesCommand, {"--lat", "41.01", "--lon", "28.97", "--tz", "2", "--date", date}));
  const struct {
    const char* name;
    Args args;
    int status;
    const char* message;  // in err
  } cases[] = {
      {"by_name", {"--city", "istanbul"}, 0, ""},
      {"by_row", {"--city-row", "1"}, 0, ""},
      {"several_places", {"--city", "Santiago"}, 2, "2 places are named 'Santiago'"},
      {"unknown_place", {"--city", "Atlantis"}, 2, "no place named 'Atlantis'"},
      {"row_without_a_place", {"--city-row", "5"}, 1, "holds no place"},
      {"both_ways", {"--city", "Istanbul", "--city-row", "1"}, 2, "not both"},
      {"row_zero", {"--city-row", "0"}, 2, "bad value for --city-row"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Result r = RunCli(RunTimesCommand,
                         With(c.args, {"--city-list", kSampleList, "--date", date}));
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    if (c.status == 0) {
      EXPECT_EQ(TimesOf(r), istanbulAtTwo);
    }
  }
  const Result several =
      RunCli(RunTimesCommand, {"--city", "santiago", "--city-list", kSampleList, "--date", date});
  EXPECT_NE(several.err.find("row 3: Santiago / Chile, latitude -33.45, longitude -70.67"),
            std::string::npos)
      << several.err;
  EXPECT_NE(several.err.find("row 7: Santiago / Spain"), std::string::npos);

  const Result missing =
      RunCli(RunTimesCommand, {"--city", "Istanbul", "--city-list", folder.File("none.csv")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("cannot read the city list"), std::string::npos);

  // The report's header names the place of the list.
  const std::string path = folder.File("r.txt");
  ASSERT_EQ(RunCli(RunReportCommand, {"year", "--city", "Mumbai", "--city-list", kSampleList,
                                   "--date", "2014-01-01", "--out", path})
                .status,
            0);
  const std::string bytes = ReadBytes(path);
  EXPECT_NE(bytes.find("\t\t\tCITY\t\t: Mumbai / India\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\t\t\tTIME ZONE\t: +5.50\r\n"), std::string::npos);
}

}  // namespace
}  // namespace korvana::cli
