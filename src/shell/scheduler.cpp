#include "shell/scheduler.h"

#include "engine/hijri.h"
#include "resources/resource_ids.h"
#include "settings/schema.h"
#include "shell/alerts.h"
#include "shell/format_text.h"

namespace korvana {

namespace {

constexpr char kSalawaatFile[] = "sala.wav";
constexpr int32_t kSecondsPerMinute = 60;
constexpr int32_t kHalfDayMinutes = 720;  // solar midnight = MID-DAY + 12 hours
constexpr int16_t kFriday = 5;            // GetWeekday: 1 = Monday
constexpr int32_t kMoonWallpaperPeriodMinutes = 60;
constexpr int32_t kOtherWallpaperPeriodMinutes = 5;
constexpr int32_t kMoonWallpaper = 1;
constexpr int32_t kHeldTicks = 9;  // ticks a report or graph keeps the engine
// With no alert moment left today, the wake-up time is the earliest moment
// today plus 200 in the high 32 bits of the file time: 85,899.34592 s, which
// wakes the computer 500.65 s before that moment tomorrow.
constexpr int64_t kNoMomentLeftTodayFileTime = int64_t{200} << 32;

// Timing indices into TodayTimings (PrayerKind - 1).
constexpr int kFajrIndex = kFajr - 1;
constexpr int kSunriseIndex = kSunrise - 1;
constexpr int kIshraqIndex = kIshraq - 1;
constexpr int kMidDayIndex = kMidDay - 1;
constexpr int kZuhrIndex = kZuhr - 1;
constexpr int kAsr1Index = kAsr1 - 1;
constexpr int kAsr2Index = kAsr2 - 1;
constexpr int kFadingIndex = kFading - 1;
constexpr int kSunsetIndex = kSunset - 1;
constexpr int kIshaIndex = kIsha - 1;

// Any minute count reduced into 0..1439 (settings are not range-checked on
// load, so the counts may lie far outside a day).
int32_t Wrap(int32_t minutes) {
  const int32_t m = minutes % kMinutesPerDay;
  return m < 0 ? m + kMinutesPerDay : m;
}

int AsrIndex(const ProgramState& state) { return AsrTiming(state) - 1; }

// Per timing: its place in "Salawaat Times" (1..6, 0 none) and the prayer a
// reminder at this moment names ("" none). ASR-I and ASR-II take the Asr
// prayer's row while they are the Asr timing in use.
struct ReminderRow {
  int salawaatPosition;
  const char* prayer;
};
constexpr ReminderRow kReminderRows[10] = {
    {1, "ISHA"},   // FAJR: the Isha prayer's time ends
    {2, "FAJR"},   // SUNRISE
    {0, ""},       // ISHRAQ
    {0, ""},       // MID-DAY
    {3, ""},       // ZUHR: salawaat only
    {4, "ZUHR"},   // ASR-I
    {4, "ZUHR"},   // ASR-II
    {0, ""},       // FADING
    {5, "ASR-I"},  // SUNSET
    {6, "MAGHRIB"},  // ISHA
};

void WarnOfHolyDay(ProgramState& state, ShellServices& services, const LocalDateTime& today,
                   const std::string& name) {
  const std::string date = FormatText("%02u/%02u/%04u", static_cast<unsigned>(today.day),
                                      static_cast<unsigned>(today.month),
                                      static_cast<unsigned>(today.year));
  // Warned today already, perhaps before a restart. (Without a settings
  // file, as in the console front end, nothing is read or written.)
  if (!state.iniPath.empty()) {
    if (ReadLastHolyDay(state.iniPath) == date) return;
    WriteLastHolyDay(state.iniPath, date);
  }
  SetAlertText(state, FormatText("Tomorrow is  %s !", name.c_str()));
  SetAlertCaption(state, "Holy Day Warning");
  if (state.MessageMode == kMessagesBox) {
    const std::string text = state.AlertText;
    services.presenter.ShowMessageBox(text, "Holy Day Warning", kHolyDayBoxStyle);
  } else {
    ShowBalloon(state, services, BalloonIcon::kWarning);
  }
}

void RefreshWallpaperIfDue(ProgramState& state, ShellServices& services) {
  if (state.WallpaperMode == 0) return;
  const int32_t period = state.WallpaperMode == kMoonWallpaper ? kMoonWallpaperPeriodMinutes
                                                               : kOtherWallpaperPeriodMinutes;
  const int32_t now = UniversalMinuteCount(state.astro);
  // The first test catches a clock set back.
  if (now < state.NextWallpaperRefresh - period || now >= state.NextWallpaperRefresh) {
    services.tasks.RefreshWallpaper();
  }
}

// The alerts of the minute `now`, with the timings `t` of today.
void FireAlerts(ProgramState& state, ShellServices& services, const int32_t t[10], int32_t now,
                int16_t weekday, AlertMoments& moments) {
  const Options& options = state.options;
  const unsigned advance = static_cast<unsigned>(options.reminderAdvance);

  if (options.remind &&
      now == Wrap(t[kMidDayIndex] + kHalfDayMinutes - options.reminderAdvance)) {
    SetAlertText(state, FormatText("%u minutes remained to midnight...", advance));
    ShowReminder(state, services);
  }

  // The Friday moment is examined on Fridays only, so it never wakes the
  // computer on other days.
  if (options.jumuahSalawaat && weekday == kFriday &&
      CheckAlertMoment(moments, now, t[kZuhrIndex] - options.jumuahSalawaatAdvance)) {
    PlayAlertFile(state, services, kSalawaatFile);
  }
  if (options.predawnSalawaat &&
      CheckAlertMoment(moments, now, t[kFajrIndex] - options.predawnSalawaatAdvance)) {
    PlayAlertFile(state, services, kSalawaatFile);
  }

  const int32_t fajrMoment =
      options.adhanAtFajr ? t[kFajrIndex] : t[kSunriseIndex] - options.fajrAdhanMinutes;
  if (CheckAlertMoment(moments, now, fajrMoment)) AnnounceAdhan(state, services, 0);
  const int slotTimings[kAdhanSlotCount] = {kFajrIndex, kZuhrIndex, AsrIndex(state),
                                            kSunsetIndex, kIshaIndex};
  for (int slot = 1; slot < kAdhanSlotCount; ++slot) {
    if (CheckAlertMoment(moments, now, t[slotTimings[slot]])) AnnounceAdhan(state, services, slot);
  }

  if (!options.remind && !options.useSalawaat) return;
  const bool asr2InUse = AsrTiming(state) == kAsr2;
  for (int i = 0; i < 10; ++i) {
    // The reminder comes "Reminder Advance" minutes before the earlier of
    // the displayed timing and the timing without its margin; mode 0
    // applies no margins.
    const int32_t margin = state.astro.margins[i + 1];
    const int32_t lead =
        options.reminderAdvance + (margin >= 0 && state.astro.calcMode != 0 ? margin : 0);
    if (Wrap(t[i] - now) != lead) continue;
    if (i == kFadingIndex) {
      if (options.remind) {
        SetAlertText(state, FormatText("%u min. remained to makrouh time...", advance));
        ShowReminder(state, services);
      }
      continue;
    }
    if (i == kAsr1Index && asr2InUse) {
      if (options.remind) {
        SetAlertText(state, FormatText("%u min. remained to ASR-I time...", advance));
        ShowReminder(state, services);
      }
      continue;
    }
    if (i == kIshraqIndex || i == kMidDayIndex || (i == kAsr2Index && !asr2InUse)) continue;
    const ReminderRow& row = kReminderRows[i];
    const std::string& selected = options.salawaatTimes;
    const size_t position = static_cast<size_t>(row.salawaatPosition);
    if (options.useSalawaat && position > 0 && position <= selected.size() && selected[position - 1] == '1') {
      PlayAlertFile(state, services, options.reminderFile);
    }
    if (options.remind && i != kZuhrIndex) ShowPrayerReminder(state, services, row.prayer);
  }
}

void ArmWakeUp(ProgramState& state, ShellServices& services, const AlertMoments& moments) {
  if (!state.RealTimeMode || !state.WakeUpOn || !state.AdhanSalawaatOn) {
    services.wakeUp.Cancel();
    return;
  }
  const int32_t target = moments.next != kNoAlertMinute ? moments.next : moments.earliest;
  if (target == kNoAlertMinute) {  // no moment examined at all
    services.wakeUp.Cancel();
    return;
  }
  LocalDateTime due = services.clock.GetLocalTime();
  due.hour = static_cast<uint16_t>(target / 60);
  due.minute = static_cast<uint16_t>(target % 60);
  int64_t fileTime = LocalFileTime(due);
  if (moments.next == kNoAlertMinute) fileTime += kNoMomentLeftTodayFileTime;
  if (services.wakeUp.Arm(fileTime) == WakeUpResult::kNotSupported) {
    state.wakeUpUnsupported = true;
    services.window.EnableMenuItem(IDM_WAKE_UP, false);
  }
}

void RunFullCheck(ProgramState& state, ShellServices& services) {
  const uint32_t serial = ++state.fullCheckCount;
  AstroState& astro = state.astro;

  const int32_t zone = EffectiveTimeZone(state.calc, services.clock.GetTimeZoneInformation());
  if (zone != astro.timeZone || state.RefreshLevel == kTimingsStale) {
    SetLocation(astro, static_cast<int16_t>(state.calc.latitude),
                static_cast<int16_t>(state.calc.longitude), static_cast<int16_t>(zone));
    state.RefreshLevel = kTimingsStale;
  }

  if (state.RealTimeMode) {
    state.CurrentDateTime = services.clock.GetLocalTime();
    // The next full check comes at about second 1 of the next minute.
    state.TickCountdown = kSecondsPerMinute - state.CurrentDateTime.second;
  } else {
    state.TickCountdown = -1;
  }
  // This check works on its own copy: alerts open modal windows, and the
  // full checks that run inside them move CurrentDateTime on.
  const LocalDateTime today = state.CurrentDateTime;
  const int32_t now = today.hour * 60 + today.minute;
  if (astro.clockMinutes != now) {
    SetTime(astro, static_cast<int16_t>(today.hour), static_cast<int16_t>(today.minute));
    if (state.RefreshLevel == kIdle) state.RefreshLevel = kMinuteChanged;
  }

  std::string holyDay;
  if (astro.day != today.day || astro.month != today.month || astro.year != today.year) {
    const auto day = static_cast<int16_t>(today.day);
    const auto month = static_cast<int16_t>(today.month);
    const auto year = static_cast<int16_t>(today.year);
    SetDate(astro, static_cast<int16_t>(day + 1), month, year);  // tomorrow
    holyDay = GetHolyDayName(astro);
    SetDate(astro, day, month, year);
    state.RefreshLevel = kTimingsStale;
  }

  if (state.RefreshLevel == kIdle) return;
  if (state.RefreshLevel == kTimingsStale) {
    for (int i = 0; i < 10; ++i) state.TodayTimings[i] = GetPrayerTime(astro, i + 1);
  }
  // What the alerts of this minute go by, kept before any alert window opens.
  int32_t timings[10];
  for (int i = 0; i < 10; ++i) timings[i] = state.TodayTimings[i];
  const int16_t weekday = GetWeekday(astro);
  if (state.TimingDialogWindow != 0) services.window.RefreshTimingDialog(state.TimingDialogWindow);
  if (state.LastGraphicsCommand != 0) services.window.PostCommand(state.LastGraphicsCommand);
  // Cleared before any alert: alerts may open modal windows during which
  // further ticks run, and those must find nothing pending.
  state.RefreshLevel = kIdle;

  // The warning is an alert too, so it comes only now.
  if (!holyDay.empty()) WarnOfHolyDay(state, services, today, holyDay);

  RefreshWallpaperIfDue(state, services);

  if (state.options.automaticClockCorrection && today.minute == 0) {
    services.window.EnableMenuItem(IDM_NETTIME, false);
    services.tasks.CorrectClockSilently();
    services.window.EnableMenuItem(IDM_NETTIME, true);
  }

  AlertMoments moments;
  FireAlerts(state, services, timings, now, weekday, moments);

  // A full check that ran inside an alert window has already armed the
  // wake-up timer and written the tip for a later minute.
  if (state.fullCheckCount != serial) return;
  state.EarliestAlertMinute = moments.earliest;
  state.NextAlertMinute = moments.next;
  ArmWakeUp(state, services, moments);
  services.window.ShowTip(
      FormatTip(state.TodayTimings, now, state.options.showAllRemainingTimes, AsrTiming(state)));
  const ProgressPosition progress = ComputeProgress(state.TodayTimings, now);
  services.window.SetProgress(progress.span, progress.passed);
}

}  // namespace

void Tick(ProgramState& state, ShellServices& services) {
  if (state.TickCountdown > 0) {
    --state.TickCountdown;
    return;
  }
  // -1 stays: only another part of the program brings it back to 0.
  if (state.TickCountdown < 0) return;
  RunFullCheck(state, services);
}

void OnTimeChange(ProgramState& state) { state.TickCountdown = 0; }

void OnDisplayChange(ProgramState& state) {
  // A pending recomputation is not given up for the lesser request.
  if (state.RefreshLevel != kTimingsStale) state.RefreshLevel = kDisplayChanged;
  state.NextWallpaperRefresh = 0;
  state.TickCountdown = 0;
}

SchedulerRequest SchedulerRequestFor(ProgramState& state) {
  SchedulerRequest request;
  request.fullCheck = [&state](bool timingsStale) {
    state.TickCountdown = 0;
    if (timingsStale) state.RefreshLevel = kTimingsStale;
  };
  return request;
}

void HoldFullChecks(ProgramState& state) {
  if (state.TickCountdown < kHeldTicks) state.TickCountdown = kHeldTicks;
}

void ReleaseFullChecks(ProgramState& state) { state.TickCountdown = 0; }

bool CheckAlertMoment(AlertMoments& moments, int32_t now, int32_t moment) {
  const int32_t b = Wrap(moment);
  if (b < moments.earliest) moments.earliest = b;
  if (now < b && b < moments.next) moments.next = b;
  return b == now;
}

int32_t EffectiveTimeZone(const CalcParams& calc, const TimeZoneInfo& zone) {
  int32_t minutes = calc.windowsTimeZone != 0 ? -(zone.bias + zone.standardBias) : calc.timeZone;
  const int32_t daylightHours =
      calc.windowsDaylightSaving != 0 ? (zone.daylightNow ? 1 : 0) : calc.daylightSaving;
  minutes += 60 * daylightHours;
  return minutes;
}

int32_t UniversalMinuteCount(const AstroState& astro) {
  return DayNumber(astro) * kMinutesPerDay + astro.clockMinutes - astro.timeZone;
}

std::string FormatTip(const int16_t todayTimings[10], int32_t now, bool showAllRemainingTimes,
                      PrayerKind asrTiming) {
  int32_t best = kMinutesPerDay;
  int next = 0;
  for (int i = 0; i < 10; ++i) {
    const int32_t d = Wrap(todayTimings[i] - now);
    if (d < best) {  // a tie keeps the lower index
      best = d;
      next = i;
    }
  }
  const int asrIndex = asrTiming - 1;
  if (!showAllRemainingTimes && next != asrIndex) {
    // The prayer timing each timing stands for in the short tip.
    const bool asr2 = asrTiming == kAsr2;
    const int standsFor[10] = {kFajrIndex,   kSunriseIndex, kZuhrIndex,
                               kZuhrIndex,   kZuhrIndex,    asr2 ? kAsr2Index : kAsr1Index,
                               asr2 ? kAsr2Index : kSunsetIndex, kSunsetIndex,
                               kSunsetIndex, kIshaIndex};
    next = standsFor[next];
    best = Wrap(todayTimings[next] - now);
  }
  return FormatText("Time remained to %s =  %d:%02d", TimingNames[next], best / 60, best % 60);
}

ProgressPosition ComputeProgress(const int16_t todayTimings[10], int32_t now) {
  const int32_t fajr = todayTimings[kFajrIndex];
  const int32_t sunset = todayTimings[kSunsetIndex];
  ProgressPosition progress;
  int32_t remaining = 0;
  if (fajr < now && now <= sunset) {  // day
    remaining = Wrap(sunset - now);
    progress.span = Wrap(sunset - fajr);
  } else {  // night, the Fajr minute included
    remaining = Wrap(fajr - now);
    progress.span = Wrap(fajr - sunset);
  }
  progress.passed = progress.span - remaining;
  return progress;
}

}  // namespace korvana
