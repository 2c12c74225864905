// korvana-cli now: the tray tip and the progress bar for a moment, computed
// by the tray program's own full check with every alert kept silent.

#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "platform/local_clock.h"
#include "shell/program_state.h"
#include "shell/scheduler.h"

namespace korvana::cli {

namespace {

// Everything a full check reaches, doing nothing but keeping the tip and the
// progress bar's position. The system's zone information is the host's.
class QuietShell final : public LocalClock,
                         public ShellWindow,
                         public AlertPresenter,
                         public SoundPlayer,
                         public RelayPort,
                         public WakeUpTimer,
                         public FileDialog,
                         public ScheduledTasks {
 public:
  ShellServices Services() { return {*this, *this, *this, *this, *this, *this, *this, *this}; }

  std::string tip;
  int span = 0;
  int passed = 0;

  LocalDateTime GetLocalTime() override { return HostLocalClock().GetLocalTime(); }
  TimeZoneInfo GetTimeZoneInformation() override {
    return HostLocalClock().GetTimeZoneInformation();
  }
  void ShowTip(const std::string& text) override { tip = text; }
  void SetProgress(int range, int position) override {
    span = range;
    passed = position;
  }
  void EnableMenuItem(int, bool) override {}
  void StartTimer(int, int) override {}
  void StopTimer(int) override {}
  void RefreshTimingDialog(uintptr_t) override {}
  void PostCommand(int) override {}
  void ShowMessageBox(const std::string&, const std::string&, const AlertBoxStyle&) override {}
  void ShowBalloon(BalloonIcon, const std::string&, const std::string&) override {}
  bool RunReminderDialog(const ReminderDialogTexts&) override { return true; }
  void CloseAlertWindow() override {}
  void Pause(int) override {}
  bool PlayWav(const std::string&) override { return true; }
  void StopWav() override {}
  bool OpenWithAssociatedProgram(const std::string&) override { return true; }
  void PressMediaStopKey() override {}
  void Close() override {}
  bool Open(const std::string&) override { return false; }
  void SetBreak() override {}
  void ClearBreak() override {}
  WakeUpResult Arm(int64_t) override { return WakeUpResult::kArmed; }
  void Cancel() override {}
  bool ChooseFileToOpen(const std::string&, const std::vector<FileFilter>&, const std::string&,
                        std::string*) override {
    return false;
  }
  void RefreshWallpaper() override {}
  void CorrectClockSilently() override {}
};

}  // namespace

int RunNowCommand(const Args& args, std::ostream& out, std::ostream& err) {
  std::set<std::string> allowed = kLocationOptions;
  allowed.insert("time");
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, allowed, &options, &error)) {
    err << "korvana-cli now: " << error << "\n";
    return 2;
  }
  if (!options.positional.empty()) {
    err << "korvana-cli now: unexpected argument '" << options.positional.front() << "'\n";
    return 2;
  }

  ProgramState state;
  // The moment is the one asked for: the full check takes it as entered, as
  // it does while the Real-time box is off. Nothing is written anywhere.
  state.RealTimeMode = false;
  state.MessageMode = kMessagesNone;
  state.AdhanSalawaatOn = false;
  state.calc.latitude = options.latitude.value_or(0);
  state.calc.longitude = options.longitude.value_or(0);
  state.calc.timeZone = options.timeZone.value_or(0);
  const int16_t margins[10] = {-2, -7, 10, 0, 5, 5, 5, 0, 7, 2};
  SetMargins(state.astro, margins);
  SetCalcParams(state.astro, static_cast<int16_t>(options.fajrAngle.value_or(-1800)),
                static_cast<int16_t>(options.ishaAngle.value_or(-1700)),
                static_cast<int16_t>(options.mode.value_or(4)));

  const LocalDateTime host = HostLocalClock().GetLocalTime();
  LocalDateTime moment = host;
  if (options.date) {
    moment.year = static_cast<uint16_t>(options.date->year);
    moment.month = static_cast<uint16_t>(options.date->month);
    moment.day = static_cast<uint16_t>(options.date->day);
  }
  if (options.clockMinutes) {
    moment.hour = static_cast<uint16_t>(*options.clockMinutes / 60);
    moment.minute = static_cast<uint16_t>(*options.clockMinutes % 60);
  }
  moment.second = 0;
  moment.millisecond = 0;
  moment.weekday = FromLocalFileTime(LocalFileTime(moment)).weekday;
  state.CurrentDateTime = moment;

  QuietShell shell;
  ShellServices services = shell.Services();
  state.TickCountdown = 0;
  Tick(state, services);
  out << shell.tip << "\n" << shell.passed << "/" << shell.span << "\n";
  return 0;
}

}  // namespace korvana::cli
