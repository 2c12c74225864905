#pragma once
// Every service a full check reaches, doing nothing: a base for programs that
// run the scheduler off-screen (the console front end, benchmarks). Derived
// classes override only what they watch or steer.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/shell_services.h"

namespace korvana {

class SilentShell : public LocalClock,
                    public ShellWindow,
                    public AlertPresenter,
                    public SoundPlayer,
                    public RelayPort,
                    public WakeUpTimer,
                    public FileDialog,
                    public ScheduledTasks {
 public:
  ShellServices Services() { return {*this, *this, *this, *this, *this, *this, *this, *this}; }

  LocalDateTime GetLocalTime() override { return {}; }
  TimeZoneInfo GetTimeZoneInformation() override { return {}; }
  void ShowTip(const std::string&) override {}
  void SetProgress(int, int) override {}
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
  bool Open(const std::string&) override { return false; }  // no relay attached
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

}  // namespace korvana
