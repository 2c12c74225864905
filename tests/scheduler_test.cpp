// The scheduler's named cases: when full checks run, which alert falls in
// which minute, the tip, the progress bar, the wake-up time, the holy-day
// warning, and the requests of the rest of the program.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "engine/prayer_times.h"
#include "settings/schema.h"
#include "shell/scheduler.h"
#include "shell_fakes.h"
#include "temp_folder.h"

namespace korvana {
namespace {

using testing::FakeShell;
using testing::TempFolder;
using Log = std::vector<std::string>;
using Timings = std::array<int16_t, 10>;

constexpr int Hm(int hour, int minute) { return hour * 60 + minute; }

// A plain day: FAJR 05:00, SUNRISE 06:10, ISHRAQ 06:55, MID-DAY 12:30,
// ZUHR 12:35, ASR-I 15:50, ASR-II 16:40, FADING 18:05, SUNSET 18:55, ISHA 20:20.
constexpr Timings kDay = {Hm(5, 0),   Hm(6, 10),  Hm(6, 55),  Hm(12, 30), Hm(12, 35),
                          Hm(15, 50), Hm(16, 40), Hm(18, 5),  Hm(18, 55), Hm(20, 20)};

// Istanbul, standard time UTC+2, no daylight saving.
constexpr int kLatitude = 4101;
constexpr int kLongitude = 2898;
constexpr int kZone = 120;

class SchedulerTest : public ::testing::Test {
 protected:
  SchedulerTest() : io(shell.Services()) {
    state.iniPath = folder.File("korvana.ini");
    state.calc.latitude = kLatitude;
    state.calc.longitude = kLongitude;
    state.calc.timeZone = kZone;
    state.MessageMode = kMessagesBalloon;
    SetDay(2014, 3, 10, 1);  // a Monday; the 11th is no holy day
  }

  void SetDay(int year, int month, int day, int weekday) {
    shell.now.year = static_cast<uint16_t>(year);
    shell.now.month = static_cast<uint16_t>(month);
    shell.now.day = static_cast<uint16_t>(day);
    shell.now.weekday = static_cast<uint16_t>(weekday);
  }

  void SetClock(int minuteOfDay, int second) {
    shell.now.hour = static_cast<uint16_t>(minuteOfDay / 60);
    shell.now.minute = static_cast<uint16_t>(minuteOfDay % 60);
    shell.now.second = static_cast<uint16_t>(second);
  }

  // A full check at second 1 of the minute (as the countdown brings it).
  void FullCheckAt(int minuteOfDay, int second = 1) {
    SetClock(minuteOfDay, second);
    state.TickCountdown = 0;
    Tick(state, io);
  }

  // The first full check of the day, then `timings` in place of the computed
  // ones (a later check recomputes only when the date, zone or settings
  // change), and an empty log.
  void UseTimings(const Timings& timings, int firstMinute = Hm(0, 0)) {
    FullCheckAt(firstMinute, 30);
    for (int i = 0; i < 10; ++i) state.TodayTimings[i] = timings[i];
    shell.log.clear();
  }

  // Full checks for every minute from `first` to `last`; returns the alert
  // lines, each prefixed with "HH:MM ".
  Log AlertsBetween(int first, int last) {
    Log alerts;
    for (int m = first; m <= last; ++m) {
      shell.log.clear();
      FullCheckAt(m);
      for (const std::string& line : shell.log) {
        if (line.rfind("tip:", 0) == 0 || line.rfind("progress:", 0) == 0 ||
            line.rfind("wake", 0) == 0 || line == "close")
          continue;
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%02d:%02d ", m / 60, m % 60);
        alerts.push_back(stamp + line);
      }
    }
    return alerts;
  }

  Timings EngineTimings(int zone, int year, int month, int day, int latitude = kLatitude) const {
    AstroState s;
    SetLocation(s, static_cast<int16_t>(latitude), kLongitude, static_cast<int16_t>(zone));
    SetDate(s, static_cast<int16_t>(day), static_cast<int16_t>(month),
            static_cast<int16_t>(year));
    Timings t;
    for (int i = 0; i < 10; ++i) t[i] = GetPrayerTime(s, i + 1);
    return t;
  }

  Timings Today() const {
    Timings t;
    for (int i = 0; i < 10; ++i) t[i] = state.TodayTimings[i];
    return t;
  }

  TempFolder folder;
  ProgramState state;
  FakeShell shell;
  ShellServices io;
};

TEST_F(SchedulerTest, StartedMidMinuteChecksAtOnceThenAtSecondOne) {
  SetClock(Hm(12, 0), 30);
  std::vector<std::string> checks;
  uint32_t seen = 0;
  for (int tick = 0; tick < 3 * 60; ++tick) {
    Tick(state, io);
    if (state.fullCheckCount != seen) {
      seen = state.fullCheckCount;
      char stamp[40];
      std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d", shell.now.hour, shell.now.minute,
                    shell.now.second);
      checks.push_back(stamp);
    }
    const int s = Hm(shell.now.hour, shell.now.minute) * 60 + shell.now.second + 1;
    SetClock(s / 60, s % 60);
  }
  EXPECT_EQ(checks, (std::vector<std::string>{"12:00:30", "12:01:01", "12:02:01", "12:03:01"}));
}

TEST_F(SchedulerTest, FirstFullCheckFiresTheAlertOfTheStartMinute) {
  const Timings t = EngineTimings(kZone, 2014, 3, 10);
  SetClock(t[kZuhr - 1], 30);
  Tick(state, io);
  EXPECT_EQ(shell.Lines("balloon:1:"), (Log{"balloon:1:ZUHR:Adhan Time..."}));
  EXPECT_EQ(Today(), t);
}

TEST_F(SchedulerTest, TipNamesTheTimingOfItsMinuteThenTheNext) {
  state.options.showAllRemainingTimes = true;
  UseTimings(kDay);
  FullCheckAt(Hm(12, 35));
  EXPECT_EQ(shell.tip, "Time remained to ZUHR =  0:00");
  FullCheckAt(Hm(12, 36));
  EXPECT_EQ(shell.tip, "Time remained to ASR-I =  3:14");
}

struct TipCase {
  const char* name;
  int now;
  bool showAll;
  PrayerKind asr;
  const char* tip;
};

class FormatTipTest : public ::testing::TestWithParam<TipCase> {};

TEST_P(FormatTipTest, NamesTheRightTiming) {
  const TipCase& c = GetParam();
  EXPECT_EQ(FormatTip(kDay.data(), c.now, c.showAll, c.asr), c.tip);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatTipTest,
    ::testing::Values(
        TipCase{"at_the_timing_minute", Hm(12, 35), true, kAsr1, "Time remained to ZUHR =  0:00"},
        TipCase{"ishraq_next_short_tip_names_zuhr", Hm(6, 30), false, kAsr1,
                "Time remained to ZUHR =  6:05"},
        TipCase{"ishraq_next_full_tip", Hm(6, 30), true, kAsr1, "Time remained to ISHRAQ =  0:25"},
        TipCase{"mid_day_next_short_tip_names_zuhr", Hm(12, 0), false, kAsr1,
                "Time remained to ZUHR =  0:35"},
        TipCase{"asr2_next_with_asr1_in_use_names_maghrib", Hm(16, 0), false, kAsr1,
                "Time remained to MAGHRIB =  2:55"},
        TipCase{"asr1_next_with_asr2_in_use_names_asr2", Hm(15, 0), false, kAsr2,
                "Time remained to ASR-II =  1:40"},
        TipCase{"asr2_next_with_asr2_in_use", Hm(16, 0), false, kAsr2,
                "Time remained to ASR-II =  0:40"},
        TipCase{"fading_next_names_maghrib", Hm(17, 0), false, kAsr1,
                "Time remained to MAGHRIB =  1:55"},
        TipCase{"after_isha_counts_to_fajr_across_midnight", Hm(23, 50), false, kAsr1,
                "Time remained to FAJR =  5:10"},
        TipCase{"sunrise_in_its_own_minute", Hm(6, 10), false, kAsr1,
                "Time remained to SUNRISE =  0:00"}),
    [](const ::testing::TestParamInfo<TipCase>& info) { return std::string(info.param.name); });

TEST(FormatTip, TieKeepsTheLowerIndex) {
  Timings t = kDay;
  t[kFading - 1] = t[kSunset - 1];
  EXPECT_EQ(FormatTip(t.data(), Hm(18, 0), true, kAsr1), "Time remained to FADING =  0:55");
}

struct ProgressCase {
  const char* name;
  int now;
  int span;
  int passed;
};

class ComputeProgressTest : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ComputeProgressTest, ShowsThePassedPartOfDayOrNight) {
  const ProgressPosition p = ComputeProgress(kDay.data(), GetParam().now);
  EXPECT_EQ(p.span, GetParam().span);
  EXPECT_EQ(p.passed, GetParam().passed);
}

// Day: FAJR 05:00 to SUNSET 18:55, 835 minutes; night: 605 minutes.
INSTANTIATE_TEST_SUITE_P(
    Cases, ComputeProgressTest,
    ::testing::Values(ProgressCase{"noon", Hm(12, 0), 835, 420},
                      ProgressCase{"fajr_minute_ends_the_night", Hm(5, 0), 605, 605},
                      ProgressCase{"minute_after_fajr", Hm(5, 1), 835, 1},
                      ProgressCase{"sunset_minute_ends_the_day", Hm(18, 55), 835, 835},
                      ProgressCase{"minute_after_sunset", Hm(18, 56), 605, 1},
                      ProgressCase{"midnight", Hm(0, 0), 605, 305}),
    [](const ::testing::TestParamInfo<ProgressCase>& info) {
      return std::string(info.param.name);
    });

TEST_F(SchedulerTest, ProgressBarFollowsTheFullCheck) {
  UseTimings(kDay);
  FullCheckAt(Hm(12, 0));
  EXPECT_EQ(shell.Lines("progress:"), (Log{"progress:420/835"}));
}

struct FajrCase {
  const char* name;
  bool adhanAtFajr;
  int fajrAdhan;
  int expectedMinute;
};

class FajrRuleTest : public SchedulerTest, public ::testing::WithParamInterface<FajrCase> {};

TEST_P(FajrRuleTest, FajrAdhanFallsInItsMinuteOnly) {
  const FajrCase& c = GetParam();
  state.options.adhanAtFajr = c.adhanAtFajr;
  state.options.fajrAdhanMinutes = c.fajrAdhan;
  UseTimings(kDay);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d:%02d ", c.expectedMinute / 60, c.expectedMinute % 60);
  EXPECT_EQ(AlertsBetween(Hm(4, 30), Hm(6, 30)),
            (Log{std::string(stamp) + "wav:ezan.wav",
                 std::string(stamp) + "balloon:1:FAJR:Adhan Time..."}));
}

// Sunrise at 06:10.
INSTANTIATE_TEST_SUITE_P(
    Cases, FajrRuleTest,
    ::testing::Values(FajrCase{"an_hour_before_sunrise", false, 60, Hm(5, 10)},
                      FajrCase{"at_fajr", true, 60, Hm(5, 0)},
                      FajrCase{"ten_minutes_before_sunrise", false, 10, Hm(6, 0)}),
    [](const ::testing::TestParamInfo<FajrCase>& info) { return std::string(info.param.name); });

TEST_F(SchedulerTest, PredawnSalawaatBeforeAnEarlyFajrFallsLateTheSameDay) {
  state.options.predawnSalawaat = true;
  state.options.predawnSalawaatAdvance = 90;
  Timings t = kDay;
  t[kFajr - 1] = Hm(0, 30);
  UseTimings(t);
  EXPECT_EQ(AlertsBetween(Hm(22, 0), Hm(23, 59)), (Log{"23:00 wav:sala.wav"}));
}

TEST_F(SchedulerTest, MidnightReminderFallsTwelveHoursAfterMidDayLessTheAdvance) {
  state.options.remind = true;
  state.options.reminderAdvance = 20;
  Timings t = kDay;
  t[kMidDay - 1] = Hm(13, 10);
  t[kZuhr - 1] = Hm(13, 15);
  UseTimings(t);
  EXPECT_EQ(AlertsBetween(Hm(0, 30), Hm(1, 30)),
            (Log{"00:50 balloon:2:Reminder:20 minutes remained to midnight..."}));
}

TEST_F(SchedulerTest, JumuahSalawaatOnFridaysOnly) {
  state.options.jumuahSalawaat = true;
  state.options.jumuahSalawaatAdvance = 60;
  state.WakeUpOn = true;
  UseTimings(kDay);  // Monday
  EXPECT_EQ(AlertsBetween(Hm(11, 0), Hm(12, 0)), Log{});
  // Not examined on Monday: the wake-up time at 11:00 is ZUHR.
  FullCheckAt(Hm(11, 0));
  EXPECT_EQ(FromLocalFileTime(shell.armedFileTime).minute, 35);

  SetDay(2014, 3, 14, 5);  // Friday
  UseTimings(kDay);
  EXPECT_EQ(AlertsBetween(Hm(11, 0), Hm(12, 0)), (Log{"11:35 wav:sala.wav"}));
  FullCheckAt(Hm(11, 0));
  const LocalDateTime due = FromLocalFileTime(shell.armedFileTime);
  EXPECT_EQ(Hm(due.hour, due.minute), Hm(11, 35));
}

struct ReminderDayCase {
  const char* name;
  bool remind;
  bool useSalawaat;
  bool useAsr2;
  int calcMode;
  const char* salawaatTimes;
  Log expected;
};

class ReminderDayTest : public SchedulerTest,
                        public ::testing::WithParamInterface<ReminderDayCase> {};

TEST_P(ReminderDayTest, RemindersOfAWholeDay) {
  const ReminderDayCase& c = GetParam();
  state.options.remind = c.remind;
  state.options.useSalawaat = c.useSalawaat;
  state.options.useAsr2 = c.useAsr2;
  state.options.salawaatTimes = c.salawaatTimes;
  state.options.reminderFile = "remind.wav";
  state.astro.calcMode = static_cast<int16_t>(c.calcMode);  // as PushCalcParams leaves it
  UseTimings(kDay);
  Log alerts = AlertsBetween(Hm(0, 0), Hm(23, 59));
  // Only reminders here: leave out the adhans.
  Log reminders;
  for (const std::string& line : alerts) {
    if (line.find("Adhan Time") == std::string::npos && line.find("ezan.wav") == std::string::npos)
      reminders.push_back(line);
  }
  EXPECT_EQ(reminders, c.expected);
}

// Default margins FAJR -2, SUNRISE -7, ZUHR 5, ASR 5, FADING 0, MAGHRIB 7,
// ISHA 2 (minutes); advance 20.
const char kPerform[] = "balloon:2:Please perform your prayer...:20 minutes left for the ";
INSTANTIATE_TEST_SUITE_P(
    Cases, ReminderDayTest,
    ::testing::Values(
        ReminderDayCase{"reminders_and_selected_salawaat", true, true, false, 4, "101011",
                        {"00:10 balloon:2:Reminder:20 minutes remained to midnight...",
                         "04:40 wav:remind.wav", std::string("04:40 ") + kPerform + "ISHA prayer!",
                         std::string("05:50 ") + kPerform + "FAJR prayer!",
                         "12:10 wav:remind.wav",
                         std::string("15:25 ") + kPerform + "ZUHR prayer!",
                         "17:45 balloon:2:Reminder:20 min. remained to makrouh time...",
                         "18:28 wav:remind.wav", std::string("18:28 ") + kPerform + "ASR-I prayer!",
                         "19:58 wav:remind.wav",
                         std::string("19:58 ") + kPerform + "MAGHRIB prayer!"}},
        ReminderDayCase{"asr2_in_use", true, true, true, 4, "000100",
                        {"00:10 balloon:2:Reminder:20 minutes remained to midnight...",
                         std::string("04:40 ") + kPerform + "ISHA prayer!",
                         std::string("05:50 ") + kPerform + "FAJR prayer!",
                         "15:25 balloon:2:Reminder:20 min. remained to ASR-I time...",
                         "16:15 wav:remind.wav", std::string("16:15 ") + kPerform + "ZUHR prayer!",
                         "17:45 balloon:2:Reminder:20 min. remained to makrouh time...",
                         std::string("18:28 ") + kPerform + "ASR-I prayer!",
                         std::string("19:58 ") + kPerform + "MAGHRIB prayer!"}},
        ReminderDayCase{"mode_0_adds_no_margins", true, false, false, 0, "111111",
                        {"00:10 balloon:2:Reminder:20 minutes remained to midnight...",
                         std::string("04:40 ") + kPerform + "ISHA prayer!",
                         std::string("05:50 ") + kPerform + "FAJR prayer!",
                         std::string("15:30 ") + kPerform + "ZUHR prayer!",
                         "17:45 balloon:2:Reminder:20 min. remained to makrouh time...",
                         std::string("18:35 ") + kPerform + "ASR-I prayer!",
                         std::string("20:00 ") + kPerform + "MAGHRIB prayer!"}},
        ReminderDayCase{"salawaat_without_reminders", false, true, false, 4, "111111",
                        {"04:40 wav:remind.wav", "05:50 wav:remind.wav", "12:10 wav:remind.wav",
                         "15:25 wav:remind.wav", "18:28 wav:remind.wav", "19:58 wav:remind.wav"}}),
    [](const ::testing::TestParamInfo<ReminderDayCase>& info) {
      return std::string(info.param.name);
    });

struct LeadCase {
  const char* name;
  int16_t fajrMargin;
  int reminderAdvance;
  int expectedMinute;
};

class ReminderLeadTest : public SchedulerTest, public ::testing::WithParamInterface<LeadCase> {};

TEST_P(ReminderLeadTest, ReminderBeforeFajrNamesIsha) {
  const LeadCase& c = GetParam();
  state.options.remind = true;
  state.options.reminderAdvance = c.reminderAdvance;
  state.astro.margins[kFajr] = c.fajrMargin;
  UseTimings(kDay);
  char line[120];
  std::snprintf(line, sizeof line,
                "%02d:%02d balloon:2:Please perform your prayer...:%d minutes left for the ISHA "
                "prayer!",
                c.expectedMinute / 60, c.expectedMinute % 60, c.reminderAdvance);
  EXPECT_EQ(AlertsBetween(Hm(4, 0), Hm(5, 0)), (Log{line}));
}

// FAJR is 05:00 as displayed.
INSTANTIATE_TEST_SUITE_P(
    Cases, ReminderLeadTest,
    ::testing::Values(LeadCase{"margin_10_adds_to_the_advance", 10, 20, Hm(4, 30)},
                      LeadCase{"negative_margin_is_not_added", -2, 20, Hm(4, 40)},
                      LeadCase{"advance_0_in_the_timing_minute", -2, 0, Hm(5, 0)}),
    [](const ::testing::TestParamInfo<LeadCase>& info) { return std::string(info.param.name); });

TEST_F(SchedulerTest, ZoneChangeWithAMinuteChangeRecomputesTheTimings) {
  UseTimings(kDay);
  state.calc.timeZone = kZone + 60;
  FullCheckAt(Hm(0, 1));
  EXPECT_EQ(Today(), EngineTimings(kZone + 60, 2014, 3, 10));
}

TEST_F(SchedulerTest, SettingsChangeWithAMinuteChangeRecomputesTheTimings) {
  UseTimings(kDay);
  SchedulerRequestFor(state).fullCheck(true);  // as PushCalcParams asks
  FullCheckAt(Hm(0, 1));
  EXPECT_EQ(Today(), EngineTimings(kZone, 2014, 3, 10));
}

TEST_F(SchedulerTest, MinuteChangeAloneKeepsTheTimings) {
  UseTimings(kDay);
  FullCheckAt(Hm(0, 1));
  EXPECT_EQ(Today(), kDay);
}

TEST_F(SchedulerTest, SystemZoneAndDaylightSavingWhenAskedFor) {
  state.calc.windowsTimeZone = 1;
  state.calc.windowsDaylightSaving = 1;
  shell.zone.bias = -60;  // UTC+1
  shell.zone.daylightNow = true;
  FullCheckAt(Hm(0, 0));
  EXPECT_EQ(state.astro.timeZone, 120);
  EXPECT_EQ(Today(), EngineTimings(120, 2014, 3, 10));
}

struct ZoneCase {
  const char* name;
  int windowsTz, timeZone, windowsDls, dls;
  int32_t bias, standardBias;
  bool daylightNow;
  int32_t expected;
};

class EffectiveTimeZoneTest : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(EffectiveTimeZoneTest, AddsDaylightSavingToTheChosenOffset) {
  const ZoneCase& c = GetParam();
  CalcParams calc;
  calc.windowsTimeZone = c.windowsTz;
  calc.timeZone = c.timeZone;
  calc.windowsDaylightSaving = c.windowsDls;
  calc.daylightSaving = c.dls;
  TimeZoneInfo zone;
  zone.bias = c.bias;
  zone.standardBias = c.standardBias;
  zone.daylightNow = c.daylightNow;
  EXPECT_EQ(EffectiveTimeZone(calc, zone), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EffectiveTimeZoneTest,
    ::testing::Values(ZoneCase{"settings_only", 0, 180, 0, 0, -60, 0, true, 180},
                      ZoneCase{"settings_with_dls", 0, -300, 0, 1, 0, 0, false, -240},
                      ZoneCase{"system_zone", 1, 180, 0, 0, -330, 0, true, 330},
                      ZoneCase{"system_zone_with_standard_bias", 1, 0, 0, 0, 300, 60, false, -360},
                      ZoneCase{"system_daylight_on", 0, 60, 1, 0, 0, 0, true, 120},
                      ZoneCase{"system_daylight_off", 0, 60, 1, 1, 0, 0, false, 60}),
    [](const ::testing::TestParamInfo<ZoneCase>& info) { return std::string(info.param.name); });

TEST_F(SchedulerTest, WakeUpAimsAtTheNextSalawaatOrAdhan) {
  state.WakeUpOn = true;
  shell.now.millisecond = 250;
  UseTimings(kDay);
  FullCheckAt(Hm(12, 0));
  LocalDateTime due = shell.now;
  due.hour = 12;
  due.minute = 35;
  EXPECT_EQ(shell.armedFileTime, LocalFileTime(due));
  EXPECT_EQ(state.NextAlertMinute, Hm(12, 35));
}

TEST_F(SchedulerTest, WakeUpWithNoMomentLeftTodayAimsShortOfTomorrowsFirst) {
  state.WakeUpOn = true;
  state.options.predawnSalawaat = true;  // 03:30, the earliest moment
  UseTimings(kDay);
  FullCheckAt(Hm(21, 0));
  // 200 << 32 units of 100 ns is 85,899.34592 s: 500.65408 s short of a day.
  const LocalDateTime tomorrow = {2014, 3, 2, 11, 3, 30, 1, 0};
  constexpr int64_t kShortOfADay = 5006540800;  // 100-ns units
  EXPECT_EQ(shell.armedFileTime, LocalFileTime(tomorrow) - kShortOfADay);
  EXPECT_EQ(state.NextAlertMinute, kNoAlertMinute);
  EXPECT_EQ(state.EarliestAlertMinute, Hm(3, 30));
}

TEST_F(SchedulerTest, WakeUpIsCancelledWhenAnySwitchIsOff) {
  UseTimings(kDay);
  state.WakeUpOn = true;
  state.AdhanSalawaatOn = false;
  FullCheckAt(Hm(12, 0));
  state.AdhanSalawaatOn = true;
  state.WakeUpOn = false;
  FullCheckAt(Hm(12, 1));
  EXPECT_EQ(shell.Lines("wake"), (Log{"wake-cancel", "wake-cancel"}));
}

TEST_F(SchedulerTest, WakeUpNotSupportedGraysTheMenuItem) {
  state.WakeUpOn = true;
  shell.wakeUpAnswer = WakeUpResult::kNotSupported;
  UseTimings(kDay);
  FullCheckAt(Hm(12, 0));
  EXPECT_EQ(shell.Lines("menu:"), (Log{"menu:1149:off"}));
  EXPECT_TRUE(state.wakeUpUnsupported);
}

TEST_F(SchedulerTest, WithoutRealTimeModeChecksRunOnlyOnRequest) {
  state.RealTimeMode = false;
  state.WakeUpOn = true;
  const Timings t = EngineTimings(kZone, 2014, 3, 10);
  state.CurrentDateTime = {2014, 3, 1, 10, static_cast<uint16_t>(t[kZuhr - 1] / 60),
                           static_cast<uint16_t>(t[kZuhr - 1] % 60), 0, 0};
  shell.now = {2020, 1, 3, 1, 7, 7, 7, 0};  // the real clock is not read
  Tick(state, io);
  EXPECT_EQ(state.TickCountdown, -1);
  for (int i = 0; i < 200; ++i) Tick(state, io);
  EXPECT_EQ(state.fullCheckCount, 1u);
  OnTimeChange(state);  // asks for a check; the minute was evaluated already
  Tick(state, io);
  EXPECT_EQ(state.fullCheckCount, 2u);
  EXPECT_EQ(shell.Lines("balloon:1:"), (Log{"balloon:1:ZUHR:Adhan Time..."}));
  EXPECT_EQ(shell.Lines("wake"), (Log{"wake-cancel"}));
  EXPECT_EQ(state.astro.year, 2014);
}

TEST_F(SchedulerTest, DisplayChangeInTheAdhanMinuteEvaluatesItAgain) {
  UseTimings(kDay);
  FullCheckAt(Hm(12, 35), 1);
  SetClock(Hm(12, 35), 30);
  OnDisplayChange(state);
  Tick(state, io);
  EXPECT_EQ(shell.Lines("balloon:1:"),
            (Log{"balloon:1:ZUHR:Adhan Time...", "balloon:1:ZUHR:Adhan Time..."}));
}

TEST_F(SchedulerTest, TimeChangeInTheSameMinuteEvaluatesNothingAgain) {
  UseTimings(kDay);
  FullCheckAt(Hm(12, 35), 1);
  SetClock(Hm(12, 35), 40);
  OnTimeChange(state);
  Tick(state, io);
  EXPECT_EQ(shell.Lines("balloon:1:").size(), 1u);
  EXPECT_EQ(state.TickCountdown, 20);
}

TEST_F(SchedulerTest, DisplayChangeKeepsAPendingRecomputation) {
  UseTimings(kDay);
  state.calc.latitude = -3387;  // the settings change, then the display
  SchedulerRequestFor(state).fullCheck(true);
  OnDisplayChange(state);
  SetClock(Hm(0, 0), 40);
  Tick(state, io);
  EXPECT_EQ(Today(), EngineTimings(kZone, 2014, 3, 10, -3387));
}

TEST_F(SchedulerTest, HolyDayWarningOncePerDateAlsoAcrossRestarts) {
  state.MessageMode = kMessagesBox;
  SetDay(2014, 1, 11, 6);  // the 12th is Mawlid-al Nabi
  FullCheckAt(Hm(0, 0), 1);
  FullCheckAt(Hm(0, 1), 1);
  const Log warning = {
      "box:Holy Day Warning:Tomorrow is  Mawlid-al Nabi !|unowned,warning"};
  EXPECT_EQ(shell.Lines("box:"), warning);
  EXPECT_EQ(ReadLastHolyDay(state.iniPath), "11/01/2014");

  ProgramState restarted;  // the program starts again the same day
  restarted.iniPath = state.iniPath;
  restarted.calc = state.calc;
  SetClock(Hm(10, 0), 30);
  Tick(restarted, io);
  EXPECT_EQ(shell.Lines("box:"), warning);

  SetDay(2014, 1, 12, 7);  // the 13th is an ordinary day
  FullCheckAt(Hm(0, 0), 1);
  EXPECT_EQ(shell.Lines("box:"), warning);
}

TEST_F(SchedulerTest, HolyDayWarningAsABalloon) {
  SetDay(2014, 6, 27, 5);  // the 28th is the first day of Ramadhan
  FullCheckAt(Hm(0, 0), 1);
  EXPECT_EQ(shell.Lines("balloon:"),
            (Log{"balloon:2:Holy Day Warning:Tomorrow is  1. Day of Ramadhan !"}));
}

TEST_F(SchedulerTest, NestedChecksInsideAnAlertWindowFireEachMinuteOnce) {
  state.MessageMode = kMessagesBox;
  state.options.remind = true;
  state.options.showAllRemainingTimes = true;
  Timings t = kDay;
  t[kFading - 1] = Hm(12, 56);  // makrouh reminder at 12:36
  t[kSunset - 1] = Hm(13, 0);
  UseTimings(t);
  // The adhan box stays open for two minutes; the timer keeps ticking.
  shell.whileModal = [&] {
    for (int i = 0; i < 120; ++i) {
      const int s = Hm(shell.now.hour, shell.now.minute) * 60 + shell.now.second + 1;
      SetClock(s / 60, s % 60);
      Tick(state, io);
    }
  };
  FullCheckAt(Hm(12, 35), 1);
  Log alerts;
  for (const std::string& line : shell.log) {
    if (line.rfind("box:", 0) == 0) alerts.push_back(line.substr(0, line.find('\n', 14)));
    if (line == "close" || line.rfind("wav:", 0) == 0 || line == "stop-wav")
      alerts.push_back(line);
  }
  EXPECT_EQ(alerts, (Log{"close", "wav:ezan.wav", "box:Korvana:\n\tZUHR ADHAN TIME...", "close",
                         "box:Korvana:20 min. remained to makrouh time..."
                         "|unowned,system-modal,warning,closable",
                         "stop-wav", "wav:ezandua.wav"}));
  // The tip is the newest check's (12:37), not the outer one's.
  EXPECT_EQ(shell.tip, "Time remained to FADING =  0:19");
  EXPECT_EQ(shell.Lines("tip:").back(), "tip:Time remained to FADING =  0:19");
}

TEST_F(SchedulerTest, TimingDialogAndGraphicAreRefreshedByEachCheckWithWork) {
  state.TimingDialogWindow = 77;
  state.LastGraphicsCommand = 1031;
  UseTimings(kDay);
  FullCheckAt(Hm(9, 0), 1);
  FullCheckAt(Hm(9, 0), 30);  // same minute: nothing to do
  EXPECT_EQ(shell.Lines("timing-dialog:"), (Log{"timing-dialog:77"}));
  EXPECT_EQ(shell.Lines("post:"), (Log{"post:1031"}));
}

TEST_F(SchedulerTest, ClockCorrectionRunsAtTheFullHour) {
  state.options.automaticClockCorrection = true;
  UseTimings(kDay);
  const Log alerts = AlertsBetween(Hm(12, 58), Hm(13, 2));
  EXPECT_EQ(alerts, (Log{"13:00 menu:1041:off", "13:00 clock-correction", "13:00 menu:1041:on"}));
}

struct WallpaperCase {
  const char* name;
  int mode;
  int period;
};

class WallpaperTest : public SchedulerTest, public ::testing::WithParamInterface<WallpaperCase> {};

TEST_P(WallpaperTest, RefreshedEachPeriodAndAfterTheClockGoesBack) {
  state.WallpaperMode = GetParam().mode;
  shell.onWallpaper = [&] {
    state.NextWallpaperRefresh = UniversalMinuteCount(state.astro) + GetParam().period;
  };
  UseTimings(kDay, Hm(8, 0));
  state.NextWallpaperRefresh = UniversalMinuteCount(state.astro) + GetParam().period;
  std::vector<int> renders;
  for (int m = Hm(8, 1); m <= Hm(10, 0); ++m) {
    shell.log.clear();
    FullCheckAt(m);
    if (!shell.Lines("wallpaper").empty()) renders.push_back(m - Hm(8, 0));
  }
  ASSERT_FALSE(renders.empty());
  for (size_t i = 0; i < renders.size(); ++i)
    EXPECT_EQ(renders[i], GetParam().period * static_cast<int>(i + 1));
  shell.log.clear();
  FullCheckAt(Hm(8, 30));  // set back by 90 minutes
  EXPECT_EQ(shell.Lines("wallpaper").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, WallpaperTest,
                         ::testing::Values(WallpaperCase{"moon_hourly", 1, 60},
                                           WallpaperCase{"earth_every_5_minutes", 2, 5},
                                           WallpaperCase{"globe_every_5_minutes", 3, 5}),
                         [](const ::testing::TestParamInfo<WallpaperCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(SchedulerTest, DisplayChangeRendersTheWallpaperAgain) {
  state.WallpaperMode = 1;
  shell.onWallpaper = [&] { state.NextWallpaperRefresh = UniversalMinuteCount(state.astro) + 60; };
  UseTimings(kDay, Hm(8, 0));
  state.NextWallpaperRefresh = UniversalMinuteCount(state.astro) + 60;
  OnDisplayChange(state);
  SetClock(Hm(8, 0), 45);
  Tick(state, io);
  EXPECT_EQ(shell.Lines("wallpaper").size(), 1u);
}

TEST_F(SchedulerTest, ReportsHoldTheChecksAndReleaseThem) {
  UseTimings(kDay);
  HoldFullChecks(state);
  EXPECT_GE(state.TickCountdown, 9);
  SetDate(state.astro, 1, 1, 2015);  // a report walks the engine elsewhere
  ReleaseFullChecks(state);
  FullCheckAt(Hm(0, 1));
  EXPECT_EQ(state.astro.year, 2014);
  EXPECT_EQ(state.astro.day, 10);
  EXPECT_EQ(Today(), EngineTimings(kZone, 2014, 3, 10));
}

TEST(CheckAlertMoment, RecordsEarliestAndNextAndTellsTheCurrentMinute) {
  AlertMoments m;
  EXPECT_FALSE(CheckAlertMoment(m, 600, 700));
  EXPECT_TRUE(CheckAlertMoment(m, 600, 600));
  EXPECT_FALSE(CheckAlertMoment(m, 600, 650));
  EXPECT_FALSE(CheckAlertMoment(m, 600, -60));  // 23:00
  EXPECT_TRUE(CheckAlertMoment(m, 600, 600 + 1440));
  EXPECT_EQ(m.earliest, 600);
  EXPECT_EQ(m.next, 650);
}

}  // namespace
}  // namespace korvana
