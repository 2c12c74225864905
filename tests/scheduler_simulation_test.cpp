// A year of the tray program's clockwork, second by second, for a northern
// and a southern city with daylight saving: every tick goes through Tick, as
// the one-second timer would call it, and every alert, tip and wake-up time
// is compared with what the day's timings say it should be.
//
// Along the way the computer is suspended and woken by the wake-up timer, the
// display changes in the minute of an adhan, the clock is set back by an hour
// (and forward again), and the program restarts on the day of a holy-day
// warning. In Box mode every message box and reminder dialog stays open for
// a while, so that ticks run inside it and later alerts close it. For an
// hour the Real-time box is off, with the minute of an adhan entered.
//
// The environment variable KORVANA_SIMULATION_DAYS shortens the year (for the
// sanitizer and Wine runs); natively the whole year runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/hijri.h"
#include "engine/prayer_times.h"
#include "platform/local_clock.h"
#include "settings/schema.h"
#include "shell/alerts.h"
#include "shell/scheduler.h"
#include "temp_folder.h"

namespace korvana {
namespace {

using testing::TempFolder;

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kFileTimeTicksPerSecond = 10000000;
constexpr int64_t kUnixEpochInFileTimeSeconds = 11644473600;  // 1601-01-01 to 1970-01-01
constexpr int64_t kNoMomentLeftTodayFileTime = int64_t{200} << 32;

int64_t DaysFromCivil(int year, int month, int day) {
  LocalDateTime t;
  t.year = static_cast<uint16_t>(year);
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  return LocalFileTime(t) / (kSecondsPerDay * kFileTimeTicksPerSecond) -
         kUnixEpochInFileTimeSeconds / kSecondsPerDay;
}

// Seconds since 1970-01-01 00:00 UTC of a moment given in UTC.
int64_t Utc(int year, int month, int day, int hour, int minute = 0) {
  return DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60;
}

// Day of the month of the last (or first) Sunday of a month.
int LastSunday(int year, int month) {
  const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int last = days[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
  const int64_t d = DaysFromCivil(year, month, last);
  const int weekday = static_cast<int>((d + 4) % 7);  // 1970-01-01 was a Thursday; 0 = Sunday
  return last - weekday;
}
int FirstSunday(int year, int month) {
  const int64_t d = DaysFromCivil(year, month, 1);
  const int weekday = static_cast<int>((d + 4) % 7);
  return 1 + (7 - weekday) % 7;
}

// A zone's rules: the standard offset and the UTC intervals of daylight
// saving time around 2014.
struct Interval {
  int64_t begin, end;  // UTC seconds, end excluded
};
struct ZoneRules {
  int standardMinutes;  // east of UTC
  std::vector<Interval> (*daylight)();
};

// Europe: last Sunday of March to last Sunday of October, at 01:00 UTC.
int64_t EuropeStart(int y) { return Utc(y, 3, LastSunday(y, 3), 1); }
int64_t EuropeEnd(int y) { return Utc(y, 10, LastSunday(y, 10), 1); }
// New South Wales: first Sunday of October 02:00 standard time (UTC+10) to
// first Sunday of April 03:00 daylight time (UTC+11); both are 16:00 UTC on
// the Saturday before.
int64_t SydneyStart(int y) { return Utc(y, 10, FirstSunday(y, 10), 0) - 8 * 3600; }
int64_t SydneyEnd(int y) { return Utc(y, 4, FirstSunday(y, 4), 0) - 8 * 3600; }

std::vector<Interval> EuropeDaylight() {
  std::vector<Interval> v;
  for (int y = 2013; y <= 2015; ++y) v.push_back({EuropeStart(y), EuropeEnd(y)});
  return v;
}
std::vector<Interval> SydneyDaylight() {
  std::vector<Interval> v;
  for (int y = 2012; y <= 2015; ++y) v.push_back({SydneyStart(y), SydneyEnd(y + 1)});
  return v;
}

const ZoneRules kOsloRules = {60, EuropeDaylight};
const ZoneRules kSydneyRules = {600, SydneyDaylight};

// The holy days of 2014 by date (month * 100 + day).
const std::map<int, std::string> kHolyDays2014 = {
    {112, "Mawlid-al Nabi"},        {430, "Start of Holy Months"},
    {501, "Lailatul-Raghaib"},      {525, "Lailatul-Me'rac"},
    {612, "Nisfu-Sha'aban"},        {628, "1. Day of Ramadhan"},
    {719, "Lailatul-Qadr(Sharani)"}, {723, "Lailatul-Qadr (R.27)"},
    {728, "1. Day of Eid-al-Fitr"}, {729, "2. Day of Eid-al-Fitr"},
    {730, "3. Day of Eid-al-Fitr"}, {1003, "A'rafa"},
    {1004, "1. Day of Eid-al-Adha"}, {1005, "2. Day of Eid-al-Adha"},
    {1006, "3. Day of Eid-al-Adha"}, {1007, "4. Day of Eid-al-Adha"},
    {1025, "Hijri New Year"},       {1103, "Day of Ashura"},
};

// Something that happens to the computer on a given local date.
enum class Happening {
  kDisplayChangeInAdhanMinute,  // at second 30 of the adhan's minute
  kSuspendUntilWokenForAdhan,   // 45 minutes before the adhan, woken by the timer
  kClockSetBackAnHour,          // 10 minutes after the adhan; forward again at 20:00
  kRestartAtTen,                // the program starts again at 10:00:30
  kRealTimeOffForAnHour,        // 30 minutes before the adhan the user enters
                                // the adhan's minute with the Real-time box off
};
struct PlannedHappening {
  int month, day;
  Happening what;
  int slot;  // the adhan concerned (0..4)
};

struct Scenario {
  const char* name;
  int latitude, longitude;  // hundredths of a degree
  ZoneRules rules;
  int messageMode;
  int relayPort;
  bool adhanAtFajr;
  bool useAsr2;
  bool showAllRemainingTimes;
  int modalHoldSeconds;  // how long the user leaves a box open
  std::vector<PlannedHappening> plan;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

const char* const kSlotFiles[kAdhanSlotCount] = {"fajr.wav", "zuhr.wav", "asr.wav",
                                                 "maghrib.wav", "isha.wav"};

class Simulation;

// The clock, the window, the presenter and the rest, driven by the
// simulation: boxes stay open while the simulation ticks on.
class SimShell final : public LocalClock,
                       public ShellWindow,
                       public AlertPresenter,
                       public SoundPlayer,
                       public RelayPort,
                       public WakeUpTimer,
                       public FileDialog,
                       public ScheduledTasks {
 public:
  explicit SimShell(Simulation& sim) : sim_(sim) {}
  ShellServices Services() { return {*this, *this, *this, *this, *this, *this, *this, *this}; }

  LocalDateTime GetLocalTime() override;
  TimeZoneInfo GetTimeZoneInformation() override;
  void ShowTip(const std::string& tip) override;
  void SetProgress(int, int) override {}
  void EnableMenuItem(int, bool) override {}
  void StartTimer(int id, int ms) override;
  void StopTimer(int id) override;
  void RefreshTimingDialog(uintptr_t) override {}
  void PostCommand(int) override {}
  void ShowMessageBox(const std::string& text, const std::string& caption,
                      const AlertBoxStyle& style) override;
  void ShowBalloon(BalloonIcon, const std::string& title, const std::string& text) override;
  bool RunReminderDialog(const ReminderDialogTexts& texts) override;
  void CloseAlertWindow() override;
  void Pause(int ms) override;
  bool PlayWav(const std::string& path) override;
  void StopWav() override {}
  bool OpenWithAssociatedProgram(const std::string& path) override { return PlayWav(path); }
  void PressMediaStopKey() override {}
  void Close() override {}
  bool Open(const std::string&) override { return true; }
  void SetBreak() override { ++relayBreaks; }
  void ClearBreak() override { ++relayClears; }
  WakeUpResult Arm(int64_t localFileTime) override;
  void Cancel() override {}
  bool ChooseFileToOpen(const std::string&, const std::vector<FileFilter>&, const std::string&,
                        std::string*) override {
    return false;
  }
  void RefreshWallpaper() override;
  void CorrectClockSilently() override;

  int relayBreaks = 0;
  int relayClears = 0;
  int64_t relayTimerDue = -1;  // system seconds, -1 none

 private:
  // Keeps a window open for the hold time or until the next alert closes it;
  // returns true when the user closed it.
  bool HoldOpen(bool closable);

  Simulation& sim_;
  std::vector<bool> openWindows_;  // closed-by-next-alert flags, innermost last
};

// What one tick saw: the occurrence of a local minute it belongs to.
struct TickContext {
  int64_t occurrence;
  LocalDateTime local;
  int zone;
};

class Simulation {
 public:
  explicit Simulation(const Scenario& scenario)
      : sc_(scenario), shell_(*this), daylight_(scenario.rules.daylight()) {
    iniPath_ = folder_.File("korvana.ini");
    StartProgram();
  }

  void Run(int days);

  // --- Used by the fakes ---
  int64_t SystemSeconds() const { return clock_; }
  int StandardMinutes() const { return sc_.rules.standardMinutes; }
  bool DaylightAt(int64_t utc) const {
    for (const Interval& i : daylight_) {
      if (utc >= i.begin && utc < i.end) return true;
    }
    return false;
  }
  int OffsetMinutes(int64_t utc) const {
    return sc_.rules.standardMinutes + (DaylightAt(utc) ? 60 : 0);
  }
  LocalDateTime LocalNow() const {
    const int64_t local = clock_ + 60 * OffsetMinutes(clock_);
    return FromLocalFileTime((local + kUnixEpochInFileTimeSeconds) * kFileTimeTicksPerSecond);
  }
  void Record(const std::string& event) {
    const TickContext& at = ticks_.empty() ? current_ : ticks_.back();
    MinuteRecord& r = records_[at.occurrence];
    if (r.label.empty()) r.label = Label(at.local, at.zone);
    r.actual.insert(event);
  }
  void StepSecond();
  void AdvanceWithoutTicks(int64_t seconds) { clock_ += seconds; }
  void CheckTip(const std::string& tip);
  void CheckWakeUp(int64_t localFileTime);
  void EndRelayPulseNow() { EndRelayPulse(*state_, services_); }
  void WallpaperRendered() {
    state_->NextWallpaperRefresh = UniversalMinuteCount(state_->astro) + 60;
  }
  int ModalHoldSeconds() const { return sc_.modalHoldSeconds; }

  // --- Results ---
  std::vector<std::string> failures;
  int adhansHeard = 0;
  int holyDayWarnings = 0;  // expected for a tomorrow in 2014
  int tipsChecked = 0;
  int wakeUpsChecked = 0;
  int happenings = 0;
  int64_t lastWakeUp = 0;  // the local file time last armed

 private:
  struct MinuteRecord {
    std::string label;  // date and minute
    std::multiset<std::string> expected;
    std::multiset<std::string> actual;
  };

  void StartProgram();
  void Tick1();
  bool Stale(const char* what);
  void BeginOccurrence();
  void ExpectMinute(const TickContext& at);
  const int16_t* TimingsFor(const LocalDateTime& local, int zone);
  std::vector<int32_t> WakingMoments(const int16_t* t, int weekday) const;
  void Fail(const std::string& text) {
    if (failures.size() < 40) failures.push_back(text);
  }
  static std::string Label(const LocalDateTime& t, int zone);
  void DoHappenings(const LocalDateTime& local);
  void CountAdhans();

  Scenario sc_;
  TempFolder folder_;
  std::string iniPath_;
  SimShell shell_;
  std::vector<Interval> daylight_;
  ShellServices services_ = shell_.Services();
  std::unique_ptr<ProgramState> state_;

  int64_t clock_ = 0;  // the system clock, seconds since 1970 UTC
  int64_t minuteKey_ = -1;
  TickContext current_{-1, {}, 0};
  std::vector<TickContext> ticks_;  // ticks in progress, innermost last
  int64_t newestCheck_ = -1;  // occurrence of the newest full check that ended
  std::map<int64_t, MinuteRecord> records_;
  std::map<int64_t, std::vector<int16_t>> timings_;  // by day number * 10000 + zone
  int lastDate_ = -1;  // year * 10000 + month * 100 + day of the last occurrence
  int64_t clockBackUntil_ = -1;  // system seconds at which the clock goes forward again
  int64_t realTimeOffUntil_ = -1;  // system seconds at which the Real-time box is on again
  std::set<int> done_;  // happenings already carried out (index into the plan)
};

// --- SimShell ---

LocalDateTime SimShell::GetLocalTime() { return sim_.LocalNow(); }

TimeZoneInfo SimShell::GetTimeZoneInformation() {
  TimeZoneInfo info;
  info.bias = -sim_.StandardMinutes();
  info.standardBias = 0;
  info.daylightBias = -60;
  info.daylightNow = sim_.DaylightAt(sim_.SystemSeconds());
  return info;
}

void SimShell::ShowTip(const std::string& tip) { sim_.CheckTip(tip); }

void SimShell::StartTimer(int id, int ms) {
  if (id == 6) relayTimerDue = sim_.SystemSeconds() + ms / 1000;
}

void SimShell::StopTimer(int id) {
  if (id == 6) relayTimerDue = -1;
}

std::string FirstLine(const std::string& text) {
  size_t begin = text.find_first_not_of("\n\t");
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find('\n', begin) - begin);
}

void SimShell::ShowMessageBox(const std::string& text, const std::string& caption,
                              const AlertBoxStyle& style) {
  sim_.Record("box:" + caption + ":" + FirstLine(text));
  HoldOpen(style.closedByNextAlert);
}

void SimShell::ShowBalloon(BalloonIcon, const std::string& title, const std::string& text) {
  sim_.Record("balloon:" + title + ":" + text);
}

bool SimShell::RunReminderDialog(const ReminderDialogTexts& texts) {
  sim_.Record("dialog:" + FirstLine(texts.message));
  return HoldOpen(true);
}

void SimShell::CloseAlertWindow() {
  for (size_t i = openWindows_.size(); i-- > 0;) {
    if (openWindows_[i]) {
      openWindows_[i] = false;  // closed
      return;
    }
  }
}

bool SimShell::HoldOpen(bool closable) {
  openWindows_.push_back(closable);
  const size_t mine = openWindows_.size() - 1;
  bool closedByUser = true;
  for (int s = 0; s < sim_.ModalHoldSeconds(); ++s) {
    if (closable && !openWindows_[mine]) {
      closedByUser = false;
      break;
    }
    sim_.StepSecond();
  }
  if (closable && !openWindows_[mine]) closedByUser = false;
  openWindows_.pop_back();
  return closedByUser;
}

void SimShell::Pause(int ms) { sim_.AdvanceWithoutTicks(ms / 1000); }

bool SimShell::PlayWav(const std::string& path) {
  sim_.Record("sound:" + path);
  return true;
}

WakeUpResult SimShell::Arm(int64_t localFileTime) {
  sim_.CheckWakeUp(localFileTime);
  return WakeUpResult::kArmed;
}

void SimShell::RefreshWallpaper() { sim_.WallpaperRendered(); }

void SimShell::CorrectClockSilently() { sim_.Record("clock-correction"); }

// --- Simulation ---

void Simulation::StartProgram() {
  state_ = std::make_unique<ProgramState>();
  ProgramState& ps = *state_;
  ps.iniPath = iniPath_;
  ps.calc.latitude = sc_.latitude;
  ps.calc.longitude = sc_.longitude;
  ps.calc.timeZone = sc_.rules.standardMinutes;
  ps.calc.windowsTimeZone = 1;
  ps.calc.windowsDaylightSaving = 1;
  ps.MessageMode = sc_.messageMode;
  ps.WakeUpOn = true;
  ps.WallpaperMode = 1;
  Options& o = ps.options;
  o.adhanAtFajr = sc_.adhanAtFajr;
  o.fajrAdhanMinutes = 45;
  o.jumuahSalawaat = true;
  o.predawnSalawaat = true;
  o.remind = true;
  o.useSalawaat = true;
  o.useAsr2 = sc_.useAsr2;
  o.showAllRemainingTimes = sc_.showAllRemainingTimes;
  o.automaticClockCorrection = true;
  o.relayComPort = sc_.relayPort;
  o.reminderFile = "remind.wav";
  for (int i = 0; i < kAdhanSlotCount; ++i) ps.AdhanFiles[i] = kSlotFiles[i];
}

std::string Simulation::Label(const LocalDateTime& t, int zone) {
  char text[48];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u (zone %+d)", t.year, t.month, t.day,
                t.hour, t.minute, zone);
  return text;
}

const int16_t* Simulation::TimingsFor(const LocalDateTime& local, int zone) {
  const int64_t key = DaysFromCivil(local.year, local.month, local.day) * 10000 + zone + 5000;
  auto found = timings_.find(key);
  if (found != timings_.end()) return found->second.data();
  AstroState s;
  SetLocation(s, static_cast<int16_t>(sc_.latitude), static_cast<int16_t>(sc_.longitude),
              static_cast<int16_t>(zone));
  SetDate(s, static_cast<int16_t>(local.day), static_cast<int16_t>(local.month),
          static_cast<int16_t>(local.year));
  std::vector<int16_t> t(10);
  for (int i = 0; i < 10; ++i) t[i] = GetPrayerTime(s, i + 1);
  return timings_.emplace(key, std::move(t)).first->second.data();
}

int32_t WrapDay(int32_t m) { return ((m % 1440) + 1440) % 1440; }

// The moments that may wake the computer: salawaat and adhans.
std::vector<int32_t> Simulation::WakingMoments(const int16_t* t, int weekday) const {
  const Options& o = state_->options;
  std::vector<int32_t> m;
  if (weekday == 5) m.push_back(WrapDay(t[4] - o.jumuahSalawaatAdvance));  // Friday
  m.push_back(WrapDay(t[0] - o.predawnSalawaatAdvance));
  m.push_back(o.adhanAtFajr ? t[0] : WrapDay(t[1] - o.fajrAdhanMinutes));
  m.push_back(t[4]);
  m.push_back(t[o.useAsr2 ? 6 : 5]);
  m.push_back(t[8]);
  m.push_back(t[9]);
  return m;
}

// Everything that must happen in one evaluation of the minute `at`.
void Simulation::ExpectMinute(const TickContext& at) {
  const int16_t* t = TimingsFor(at.local, at.zone);
  const Options& o = state_->options;
  const int now = at.local.hour * 60 + at.local.minute;
  const bool box = sc_.messageMode == kMessagesBox;
  std::vector<std::string> events;
  auto expect = [&](const std::string& e) { events.push_back(e); };
  auto reminder = [&](const std::string& text) {
    expect(box ? "box:Korvana:" + text : "balloon:Reminder:" + text);
  };
  auto prayerReminder = [&](const std::string& prayer) {
    const std::string sentence = "20 minutes left for the " + prayer + " prayer!";
    expect(box ? "dialog:" + sentence
               : "balloon:Please perform your prayer...:" + sentence);
  };
  const char* const names[kAdhanSlotCount] = {"FAJR", "ZUHR", o.useAsr2 ? "ASR-II" : "ASR-I",
                                              "MAGHRIB", "ISHA"};
  auto adhan = [&](int slot) {
    expect(std::string("sound:") + kSlotFiles[slot]);
    if (box) {
      expect(std::string("box:Korvana:") + names[slot] + " ADHAN TIME...");
      if (sc_.relayPort == 0) expect("sound:ezandua.wav");
    } else {
      expect(std::string("balloon:") + names[slot] + ":Adhan Time...");
    }
  };

  if (at.local.minute == 0) expect("clock-correction");
  if (now == WrapDay(t[3] + 720 - 20)) reminder("20 minutes remained to midnight...");
  if (at.local.weekday == 5 && now == WrapDay(t[4] - 60)) expect("sound:sala.wav");
  if (now == WrapDay(t[0] - 90)) expect("sound:sala.wav");
  if (now == (o.adhanAtFajr ? t[0] : WrapDay(t[1] - 45))) adhan(0);
  if (now == t[4]) adhan(1);
  if (now == t[o.useAsr2 ? 6 : 5]) adhan(2);
  if (now == t[8]) adhan(3);
  if (now == t[9]) adhan(4);
  // Reminders: 20 minutes before each prayer timing, earlier by a margin of
  // 0 or more (the default margins: FAJR -2, SUNRISE -7, ZUHR 5, ASR 5,
  // FADING 0, MAGHRIB 7, ISHA 2).
  auto before = [&](int i, int margin) { return now == WrapDay(t[i] - 20 - (margin > 0 ? margin : 0)); };
  if (before(0, -2)) {
    expect("sound:remind.wav");
    prayerReminder("ISHA");
  }
  if (before(1, -7)) {
    expect("sound:remind.wav");
    prayerReminder("FAJR");
  }
  if (before(4, 5)) expect("sound:remind.wav");
  if (o.useAsr2) {
    if (before(5, 5)) reminder("20 min. remained to ASR-I time...");
    if (before(6, 5)) {
      expect("sound:remind.wav");
      prayerReminder("ZUHR");
    }
  } else if (before(5, 5)) {
    expect("sound:remind.wav");
    prayerReminder("ZUHR");
  }
  if (before(7, 0)) reminder("20 min. remained to makrouh time...");
  if (before(8, 7)) {
    expect("sound:remind.wav");
    prayerReminder("ASR-I");
  }
  if (before(9, 2)) {
    expect("sound:remind.wav");
    prayerReminder("MAGHRIB");
  }
  if (events.empty()) return;
  MinuteRecord& r = records_[at.occurrence];
  r.label = Label(at.local, at.zone);
  r.expected.insert(events.begin(), events.end());
}

void Simulation::BeginOccurrence() {
  const LocalDateTime local = LocalNow();
  const int zone = OffsetMinutes(clock_);
  current_ = {current_.occurrence + 1, local, zone};
  if (realTimeOffUntil_ < 0) ExpectMinute(current_);  // else no check runs
  const int date = local.year * 10000 + local.month * 100 + local.day;
  if (date != lastDate_) {
    lastDate_ = date;
    // The warning belongs to the first minute of a date.
    const int64_t tomorrow = DaysFromCivil(local.year, local.month, local.day) + 1;
    LocalDateTime next = FromLocalFileTime(
        (tomorrow * kSecondsPerDay + kUnixEpochInFileTimeSeconds) * kFileTimeTicksPerSecond);
    std::string name;
    if (next.year == 2014) {
      const auto found = kHolyDays2014.find(next.month * 100 + next.day);
      if (found != kHolyDays2014.end()) name = found->second;
    } else {
      AstroState s;
      SetDate(s, static_cast<int16_t>(next.day), static_cast<int16_t>(next.month),
              static_cast<int16_t>(next.year));
      name = GetHolyDayName(s);
    }
    if (!name.empty()) {
      MinuteRecord& r = records_[current_.occurrence];
      r.label = Label(local, zone);
      const std::string text = "Tomorrow is  " + name + " !";
      r.expected.insert(sc_.messageMode == kMessagesBox ? "box:Holy Day Warning:" + text
                                                        : "balloon:Holy Day Warning:" + text);
      if (next.year == 2014) ++holyDayWarnings;
    }
  }
}

void Simulation::Tick1() {
  ticks_.push_back(current_);
  // With the Real-time box off a full check works on the moment entered.
  if (!state_->RealTimeMode) ticks_.back().local = state_->CurrentDateTime;
  const uint32_t checksBefore = state_->fullCheckCount;
  Tick(*state_, services_);
  if (state_->fullCheckCount != checksBefore)
    newestCheck_ = std::max(newestCheck_, ticks_.back().occurrence);
  ticks_.pop_back();
}

// The tip and the wake-up time must come from the newest full check: one
// that ran inside an alert window has written them for a later minute.
bool Simulation::Stale(const char* what) {
  const TickContext& at = ticks_.back();
  if (at.occurrence >= newestCheck_) return false;
  Fail(Label(at.local, at.zone) + ": " + what + " written after a newer full check");
  return true;
}

void Simulation::StepSecond() {
  ++clock_;
  const int64_t local = clock_ + 60 * OffsetMinutes(clock_);
  if (local / 60 != minuteKey_) {
    minuteKey_ = local / 60;
    BeginOccurrence();
  }
  if (shell_.relayTimerDue >= 0 && clock_ >= shell_.relayTimerDue) EndRelayPulseNow();
  Tick1();
  // Messages that arrive between ticks, also inside an open alert window.
  if (realTimeOffUntil_ >= 0 && clock_ >= realTimeOffUntil_) {
    realTimeOffUntil_ = -1;
    state_->RealTimeMode = true;
    SchedulerRequestFor(*state_).fullCheck(false);
    ExpectMinute(current_);  // the next tick evaluates the clock's minute
  } else if (clockBackUntil_ >= 0 && clock_ >= clockBackUntil_) {
    clock_ += 3600;  // set right again: an hour of the local clock is skipped
    clockBackUntil_ = -1;
    OnTimeChange(*state_);
  } else if (local % 60 == 30 && done_.size() < sc_.plan.size()) {
    DoHappenings(LocalNow());
  }
}

void Simulation::CheckTip(const std::string& tip) {
  if (Stale("tip")) return;
  const TickContext& at = ticks_.back();
  const int16_t* t = TimingsFor(at.local, at.zone);
  const int now = at.local.hour * 60 + at.local.minute;
  int first = -1;
  for (int i = 0; i < 10 && first < 0; ++i) {
    if (t[i] == now) first = i;
  }
  if (first < 0) return;
  // In the short tip only the prayer timings stand for themselves.
  const int asr = state_->options.useAsr2 ? 6 : 5;
  const bool named = sc_.showAllRemainingTimes || first == 0 || first == 1 || first == 4 ||
                     first == asr || first == 8 || first == 9;
  if (!named) return;
  ++tipsChecked;
  const std::string expected = std::string("Time remained to ") + TimingNames[first] + " =  0:00";
  if (tip != expected) Fail(Label(at.local, at.zone) + ": tip '" + tip + "', not '" + expected + "'");
}

void Simulation::CheckWakeUp(int64_t localFileTime) {
  if (Stale("wake-up time")) return;
  const TickContext& at = ticks_.back();
  const int16_t* t = TimingsFor(at.local, at.zone);
  const int now = at.local.hour * 60 + at.local.minute;
  int32_t next = 1440, earliest = 1440;
  for (int32_t m : WakingMoments(t, at.local.weekday)) {
    earliest = std::min(earliest, m);
    if (m > now) next = std::min(next, m);
  }
  LocalDateTime due = LocalNow();  // the date and seconds read just now
  const int32_t target = next < 1440 ? next : earliest;
  due.hour = static_cast<uint16_t>(target / 60);
  due.minute = static_cast<uint16_t>(target % 60);
  const int64_t expected = LocalFileTime(due) + (next < 1440 ? 0 : kNoMomentLeftTodayFileTime);
  ++wakeUpsChecked;
  if (localFileTime != expected) {
    Fail(Label(at.local, at.zone) + ": wake-up at " + std::to_string(localFileTime) +
         ", not " + std::to_string(expected));
  }
  lastWakeUp = localFileTime;
}

void Simulation::DoHappenings(const LocalDateTime& local) {
  for (size_t i = 0; i < sc_.plan.size(); ++i) {
    const PlannedHappening& p = sc_.plan[i];
    if (done_.count(static_cast<int>(i)) || p.month != local.month || p.day != local.day) continue;
    const int16_t* t = TimingsFor(local, OffsetMinutes(clock_));
    const int timingOfSlot[kAdhanSlotCount] = {0, 4, state_->options.useAsr2 ? 6 : 5, 8, 9};
    int adhanMinute = t[timingOfSlot[p.slot]];
    if (p.slot == 0 && !sc_.adhanAtFajr) adhanMinute = WrapDay(t[1] - 45);
    const int now = local.hour * 60 + local.minute;
    switch (p.what) {
      case Happening::kDisplayChangeInAdhanMinute:
        if (now != adhanMinute) continue;
        OnDisplayChange(*state_);
        ExpectMinute(current_);  // the minute is evaluated again
        break;
      case Happening::kSuspendUntilWokenForAdhan: {
        if (now != WrapDay(adhanMinute - 45)) continue;
        // The computer sleeps; the wake-up timer brings it back.
        const LocalDateTime wake = FromLocalFileTime(lastWakeUp);
        const int64_t wakeLocal = lastWakeUp / kFileTimeTicksPerSecond - kUnixEpochInFileTimeSeconds;
        if (wake.hour * 60 + wake.minute != adhanMinute) {
          Fail(Label(local, 0) + ": the wake-up timer does not point at the adhan");
          break;
        }
        clock_ = wakeLocal - 60 * OffsetMinutes(clock_) - 1;
        OnDisplayChange(*state_);  // the resume notification
        break;
      }
      case Happening::kClockSetBackAnHour:
        if (now != WrapDay(adhanMinute + 10)) continue;
        clock_ -= 3600;
        clockBackUntil_ = clock_ + 8 * 3600;
        OnTimeChange(*state_);
        break;
      case Happening::kRealTimeOffForAnHour: {
        if (now != WrapDay(adhanMinute - 30)) continue;
        // As the Calculation Parameters dialog leaves it.
        LocalDateTime entered = local;
        entered.hour = static_cast<uint16_t>(adhanMinute / 60);
        entered.minute = static_cast<uint16_t>(adhanMinute % 60);
        entered.second = 0;
        state_->RealTimeMode = false;
        state_->CurrentDateTime = entered;
        SchedulerRequestFor(*state_).fullCheck(true);
        ExpectMinute({current_.occurrence, entered, current_.zone});
        realTimeOffUntil_ = clock_ + 3600;
        break;
      }
      case Happening::kRestartAtTen:
        // Only between messages: nothing of the old program may be running.
        if (now < 600 || !ticks_.empty()) continue;
        StartProgram();  // the first tick is a full check
        ExpectMinute(current_);
        break;
    }
    done_.insert(static_cast<int>(i));
    ++happenings;
  }
}

void Simulation::Run(int days) {
  // Start at 00:00:30 local time on 2014-01-01.
  const int64_t midnight = Utc(2014, 1, 1, 0);
  clock_ = midnight - 60 * OffsetMinutes(midnight - 60 * sc_.rules.standardMinutes) + 29;
  const int64_t end = clock_ + days * kSecondsPerDay;
  while (clock_ < end) StepSecond();
  CountAdhans();
  for (const auto& [occurrence, r] : records_) {
    if (r.expected == r.actual) continue;
    std::string text = r.label + ":";
    for (const std::string& e : r.expected)
      if (r.actual.count(e) < r.expected.count(e)) text += " missing [" + e + "]";
    for (const std::string& e : r.actual)
      if (r.expected.count(e) < r.actual.count(e)) text += " extra [" + e + "]";
    Fail(text);
  }
}

void Simulation::CountAdhans() {
  for (const auto& [occurrence, r] : records_) {
    for (const char* file : kSlotFiles) adhansHeard += static_cast<int>(r.actual.count(std::string("sound:") + file));
  }
}

int SimulatedDays() {
  const char* text = std::getenv("KORVANA_SIMULATION_DAYS");
  const int days = text != nullptr ? std::atoi(text) : 365;
  return days > 0 && days <= 365 ? days : 365;
}

class SchedulerSimulation : public ::testing::TestWithParam<Scenario> {};

TEST_P(SchedulerSimulation, EveryAlertOnceInItsMinuteForAYear) {
  const int days = SimulatedDays();
  Simulation sim(GetParam());
  sim.Run(days);
  for (const std::string& f : sim.failures) ADD_FAILURE() << f;
  std::printf("%s: %d days, %d adhans heard, %d holy-day warnings, %d tips and %d wake-up "
              "times checked, %d happenings\n",
              GetParam().name, days, sim.adhansHeard, sim.holyDayWarnings, sim.tipsChecked,
              sim.wakeUpsChecked, sim.happenings);
  if (days == 365) {
    EXPECT_EQ(sim.holyDayWarnings, 18);
    EXPECT_EQ(sim.happenings, static_cast<int>(GetParam().plan.size()));
  }
  EXPECT_GT(sim.adhansHeard, 5 * days - 5);
}

const Scenario kNorth = {
    "oslo_box_mode_with_relay",
    5991, 1075, kOsloRules, kMessagesBox, 3,
    false, false, true, 75,
    {{2, 14, Happening::kDisplayChangeInAdhanMinute, 1},
     {5, 20, Happening::kSuspendUntilWokenForAdhan, 1},
     {6, 10, Happening::kClockSetBackAnHour, 1},
     {7, 18, Happening::kRestartAtTen, 0},
     {11, 4, Happening::kDisplayChangeInAdhanMinute, 4},
     {3, 12, Happening::kRealTimeOffForAnHour, 3}}};

const Scenario kSouth = {
    "sydney_balloon_mode",
    -3387, 15121, kSydneyRules, kMessagesBalloon, 0,
    true, true, false, 0,
    {{8, 8, Happening::kDisplayChangeInAdhanMinute, 3},
     {9, 9, Happening::kSuspendUntilWokenForAdhan, 4},
     {3, 3, Happening::kClockSetBackAnHour, 2},
     {10, 3, Happening::kRestartAtTen, 0},
     {12, 5, Happening::kRealTimeOffForAnHour, 1}}};

INSTANTIATE_TEST_SUITE_P(Year2014, SchedulerSimulation, ::testing::Values(kNorth, kSouth),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace korvana
