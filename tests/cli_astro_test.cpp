#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <sstream>
#include <string>

#include "cli/commands.h"

namespace korvana::cli {
namespace {

struct Result {
  int status;
  std::string out, err;
};

Result RunCommand(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
  std::ostringstream out, err;
  const int status = command(args, out, err);
  return {status, out.str(), err.str()};
}

const Args kIstanbul = {"--lat", "41.01", "--lon", "28.97", "--tz", "3"};

Args With(Args args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

TEST(CliAstro, RowsAndMoonLine) {
  const Result r = RunCommand(RunAstroCommand, With(kIstanbul, {"--date", "2014-07-05", "--time", "20:00"}));
  ASSERT_EQ(r.status, 0) << r.err;
  const char* kLines[] = {
      "QIBLA      = 151.6\xC2\xB0\n",
      "Geomag. Flux   =  24.7 \xC2\xB5T\n",
      "Moon Phase     =  92.3\xC2\xB0\n",
      "Moon Illumin.  = % 52.0\n",
      "Moon Elevation =  39.7\xC2\xB0\n",
      "Moon Azimuth   = 197.4\xC2\xB0\n",
  };
  for (const char* line : kLines) EXPECT_NE(r.out.find(line), std::string::npos) << line;
  // Fifteen rows, then the moon line last.
  EXPECT_EQ(r.out.rfind("QIBLA", 0), 0u);
  const std::string kMoonLine = ">> Moon visible from here\n";
  ASSERT_GE(r.out.size(), kMoonLine.size());
  EXPECT_EQ(r.out.substr(r.out.size() - kMoonLine.size()), kMoonLine);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 16);
}

TEST(CliAstro, MoonLineOnlyWhenNotEmpty) {
  const struct {
    const char* name;
    const char* date;
    const char* time;
    const char* lastLine;
    int lines;
  } cases[] = {
      {"too_thin_no_line", "2015-03-20", "06:00", "Time Equation  = ", 15},
      {"solar_eclipse", "2015-03-20", "09:46", ">>  SUN eclipse  %56  <<\n", 16},
      {"lunar_eclipse", "2014-04-15", "07:46", ">>  MOON eclipse  %95  <<\n", 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Result r = RunCommand(RunAstroCommand, {"--date", c.date, "--time", c.time});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), c.lines);
    const size_t lastStart = r.out.rfind('\n', r.out.size() - 2) + 1;
    EXPECT_EQ(r.out.compare(lastStart, std::string(c.lastLine).size(), c.lastLine), 0)
        << r.out.substr(lastStart);
  }
}

TEST(CliHijri, DateAndHolyDay) {
  const struct {
    const char* name;
    const char* date;
    const char* out;
  } cases[] = {
      {"first_of_ramadhan", "2014-06-28", "1 Ramadhan 1435\n1. Day of Ramadhan\n"},
      {"plain_day", "2014-06-27", "29 Sha'aban 1435\n"},
      {"new_year", "2014-10-25", "1 Muharram 1436\nHijri New Year\n"},
      {"last_of_the_year", "2014-10-24", "30 Dhil-Hijja 1435\n"},
  };
  for (const auto& c : cases) {
    const Result r = RunCommand(RunHijriCommand, {"--date", c.date});
    EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, c.out) << c.name;
  }
}

TEST(CliAstroHijri, BadUsage) {
  const struct {
    const char* name;
    int (*command)(const Args&, std::ostream&, std::ostream&);
    Args args;
  } cases[] = {
      {"astro_bad_time", RunAstroCommand, {"--time", "24:00"}},
      {"astro_missing_value", RunAstroCommand, {"--time"}},
      {"astro_stray_word", RunAstroCommand, {"now"}},
      {"hijri_takes_no_place", RunHijriCommand, {"--lat", "41"}},
      {"hijri_bad_date", RunHijriCommand, {"--date", "2014-02-30"}},
  };
  for (const auto& c : cases) {
    const Result r = RunCommand(c.command, c.args);
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_TRUE(r.out.empty()) << c.name;
    EXPECT_FALSE(r.err.empty()) << c.name;
  }
}

}  // namespace
}  // namespace korvana::cli
