#pragma once
// One fake for everything the scheduler and the alerts reach outside
// themselves. Every call is written to `log` as a short line, so a test can
// compare what happened with what should have happened.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/shell_services.h"

namespace korvana::testing {

class FakeShell final : public LocalClock,
                        public ShellWindow,
                        public AlertPresenter,
                        public SoundPlayer,
                        public RelayPort,
                        public WakeUpTimer,
                        public FileDialog,
                        public ScheduledTasks {
 public:
  // --- What the fakes answer ---
  LocalDateTime now = {2014, 3, 1, 10, 12, 0, 30, 0};  // Monday 2014-03-10 12:00:30
  TimeZoneInfo zone;
  bool wavPlays = true;
  bool programStarts = true;
  bool portOpens = true;
  WakeUpResult wakeUpAnswer = WakeUpResult::kArmed;
  bool fileChosen = false;
  std::string chosenPath;
  bool reminderConfirmed = true;  // the dialog's button closes it
  // Runs while a box or the reminder dialog is open (nested ticks).
  std::function<void()> whileModal;
  // Called by RefreshWallpaper (the renderer sets NextWallpaperRefresh).
  std::function<void()> onWallpaper;

  // --- What happened ---
  std::vector<std::string> log;
  int64_t armedFileTime = 0;
  std::string tip;
  int pausedMs = 0;

  ShellServices Services() { return {*this, *this, *this, *this, *this, *this, *this, *this}; }

  // Lines of the log that start with `prefix`.
  std::vector<std::string> Lines(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : log) {
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
  }

  // LocalClock
  LocalDateTime GetLocalTime() override { return now; }
  TimeZoneInfo GetTimeZoneInformation() override { return zone; }

  // ShellWindow
  void ShowTip(const std::string& text) override {
    tip = text;
    log.push_back("tip:" + text);
  }
  void SetProgress(int span, int position) override {
    log.push_back("progress:" + std::to_string(position) + "/" + std::to_string(span));
  }
  void EnableMenuItem(int id, bool enabled) override {
    log.push_back("menu:" + std::to_string(id) + (enabled ? ":on" : ":off"));
  }
  void StartTimer(int id, int ms) override {
    log.push_back("timer:" + std::to_string(id) + ":" + std::to_string(ms));
  }
  void StopTimer(int id) override { log.push_back("stop-timer:" + std::to_string(id)); }
  void RefreshTimingDialog(uintptr_t window) override {
    log.push_back("timing-dialog:" + std::to_string(window));
  }
  void PostCommand(int id) override { log.push_back("post:" + std::to_string(id)); }

  // AlertPresenter
  void ShowMessageBox(const std::string& text, const std::string& caption,
                      const AlertBoxStyle& style) override {
    log.push_back("box:" + caption + ":" + text + StyleText(style));
    RunModal();
  }
  void ShowBalloon(BalloonIcon icon, const std::string& title, const std::string& text) override {
    log.push_back("balloon:" + std::to_string(static_cast<int>(icon)) + ":" + title + ":" + text);
  }
  bool RunReminderDialog(const ReminderDialogTexts& texts) override {
    log.push_back("dialog:" + texts.message + "|" + texts.buttonText + "|" + texts.buttonTip);
    RunModal();
    return reminderConfirmed;
  }
  void CloseAlertWindow() override { log.push_back("close"); }
  void Pause(int ms) override {
    pausedMs += ms;
    log.push_back("pause:" + std::to_string(ms));
  }

  // SoundPlayer
  bool PlayWav(const std::string& path) override {
    log.push_back("wav:" + path);
    return wavPlays;
  }
  void StopWav() override { log.push_back("stop-wav"); }
  bool OpenWithAssociatedProgram(const std::string& path) override {
    log.push_back("open:" + path);
    return programStarts;
  }
  void PressMediaStopKey() override { log.push_back("media-stop"); }

  // RelayPort
  void Close() override { log.push_back("relay-close"); }
  bool Open(const std::string& device) override {
    log.push_back("relay-open:" + device);
    return portOpens;
  }
  void SetBreak() override { log.push_back("relay-break"); }
  void ClearBreak() override { log.push_back("relay-clear"); }

  // WakeUpTimer
  WakeUpResult Arm(int64_t fileTime) override {
    armedFileTime = fileTime;
    log.push_back("wake:" + std::to_string(fileTime));
    return wakeUpAnswer;
  }
  void Cancel() override { log.push_back("wake-cancel"); }

  // FileDialog
  bool ChooseFileToOpen(const std::string& title, const std::vector<FileFilter>& filters,
                        const std::string& initialName, std::string* chosen) override {
    std::string line = "file-dialog:" + title + ":" + initialName;
    for (const FileFilter& f : filters) line += ":" + f.name + "=" + f.pattern;
    log.push_back(line);
    if (fileChosen) *chosen = chosenPath;
    return fileChosen;
  }

  // ScheduledTasks
  void RefreshWallpaper() override {
    log.push_back("wallpaper");
    if (onWallpaper) onWallpaper();
  }
  void CorrectClockSilently() override { log.push_back("clock-correction"); }

 private:
  static std::string StyleText(const AlertBoxStyle& s) {
    return std::string("|") + (s.ownedByMainWindow ? "owned" : "unowned") +
           (s.systemModal ? ",system-modal" : "") + (s.warningIcon ? ",warning" : ",no-icon") +
           (s.closedByNextAlert ? ",closable" : "");
  }

  void RunModal() {
    if (!whileModal) return;
    // One nested run at a time: the hook itself may open further windows.
    std::function<void()> hook;
    hook.swap(whileModal);
    hook();
    whileModal.swap(hook);
  }
};

}  // namespace korvana::testing
