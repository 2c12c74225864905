// korvana-cli now: the tray tip and the progress bar, checked against the
// timings that korvana-cli times prints for the same place and date.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "temp_folder.h"

namespace korvana::cli {
namespace {

const Args kPlace = {"--lat", "41.01", "--lon", "28.97", "--tz", "3", "--date", "2014-06-21"};

// Timing name -> minute of the day, from `times`.
std::map<std::string, int> Timings() {
  std::ostringstream out, err;
  EXPECT_EQ(RunTimesCommand(kPlace, out, err), 0);
  std::map<std::string, int> timings;
  std::istringstream lines(out.str());
  std::string name, clock;
  while (lines >> name >> clock) timings[name] = std::stoi(clock.substr(0, 2)) * 60 + std::stoi(clock.substr(3));
  return timings;
}

std::string Now(int minute, int* status = nullptr, const std::string& ini = "") {
  Args args = kPlace;
  if (!ini.empty()) {
    args.push_back("--ini");
    args.push_back(ini);
  }
  char clock[32];
  std::snprintf(clock, sizeof clock, "%02d:%02d", minute / 60, minute % 60);
  args.push_back("--time");
  args.push_back(clock);
  std::ostringstream out, err;
  const int result = RunNowCommand(args, out, err);
  if (status != nullptr) *status = result;
  return out.str();
}

std::string Expected(const std::string& name, int remaining, int passed, int span) {
  char text[80];
  std::snprintf(text, sizeof text, "Time remained to %s =  %d:%02d\n%d/%d\n", name.c_str(),
                remaining / 60, remaining % 60, passed, span);
  return text;
}

TEST(NowCommand, AtZuhrTheTipNamesZuhrWithNoTimeLeft) {
  auto t = Timings();
  const int day = t["MAGHRIB"] - t["FAJR"];
  EXPECT_EQ(Now(t["ZUHR"]), Expected("ZUHR", 0, t["ZUHR"] - t["FAJR"], day));
}

TEST(NowCommand, AMinuteAfterZuhrTheTipCountsToAsr) {
  auto t = Timings();
  const int day = t["MAGHRIB"] - t["FAJR"];
  const int now = t["ZUHR"] + 1;
  EXPECT_EQ(Now(now), Expected("ASR-I", t["ASR-I"] - now, now - t["FAJR"], day));
}

TEST(NowCommand, ShortTipAfterSunriseNamesZuhr) {
  auto t = Timings();
  const int day = t["MAGHRIB"] - t["FAJR"];
  const int now = t["SUNRISE"] + 1;  // ISHRAQ is next
  EXPECT_EQ(Now(now), Expected("ZUHR", t["ZUHR"] - now, now - t["FAJR"], day));
}

TEST(NowCommand, LateEveningCountsTheNightToFajr) {
  auto t = Timings();
  const int night = t["FAJR"] + 1440 - t["MAGHRIB"];
  const int now = 23 * 60 + 30;
  EXPECT_EQ(Now(now), Expected("FAJR", t["FAJR"] + 1440 - now, now - t["MAGHRIB"], night));
}

struct IniTipCase {
  const char* name;
  const char* options;  // lines of the "Options" section
  const char* after;    // the tip a minute after this timing
  const char* names;    // names this timing
};

class NowCommandIniTest : public ::testing::TestWithParam<IniTipCase> {};

TEST_P(NowCommandIniTest, TipFollowsTheSettingsFile) {
  testing::TempFolder folder;
  const std::string ini = folder.Write(
      "korvana.ini", std::string("[Options]\r\n") + GetParam().options + "\r\n");
  auto t = Timings();
  const int now = t[GetParam().after] + 1;
  const std::string tip = Now(now, nullptr, ini);
  const int remaining = t[GetParam().names] - now;
  char line[80];
  std::snprintf(line, sizeof line, "Time remained to %s =  %d:%02d\n", GetParam().names,
                remaining / 60, remaining % 60);
  EXPECT_EQ(tip.substr(0, tip.find('\n') + 1), line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NowCommandIniTest,
    ::testing::Values(
        IniTipCase{"short_tip_skips_ishraq", "Show All Remaining Times=No", "SUNRISE", "ZUHR"},
        IniTipCase{"all_remaining_times_name_ishraq", "Show All Remaining Times=Yes", "SUNRISE",
                   "ISHRAQ"},
        IniTipCase{"asr1_in_use", "Use Asr-II=No", "ZUHR", "ASR-I"},
        IniTipCase{"asr2_in_use", "Use Asr-II=Yes", "ZUHR", "ASR-II"},
        IniTipCase{"lower_case_yes_is_not_set", "Use Asr-II=yes", "ZUHR", "ASR-I"}),
    [](const ::testing::TestParamInfo<IniTipCase>& info) { return std::string(info.param.name); });

TEST(NowCommand, BadTimeIsBadUsage) {
  std::ostringstream out, err;
  EXPECT_EQ(RunNowCommand({"--time", "24:00"}, out, err), 2);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str().find("--time"), std::string::npos);
}

}  // namespace
}  // namespace korvana::cli
