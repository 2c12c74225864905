#pragma once
// The Windows side of the scheduler's and the alerts' services: the main
// window's title, tip, progress bar, menu items and timers; message boxes,
// balloons and the reminder dialog with the kept handle of the alert window
// still open; the open-file dialog. They only carry out what the portable
// code decided.

#include <windows.h>

#include "shell/shell_services.h"

namespace korvana::win {

class Win32ShellWindow final : public ShellWindow {
 public:
  void ShowTip(const std::string& tip) override;
  void SetProgress(int span, int position) override;
  void EnableMenuItem(int id, bool enabled) override;
  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;
  void RefreshTimingDialog(uintptr_t dialogWindow) override;
  void PostCommand(int id) override;
};

class Win32AlertPresenter final : public AlertPresenter {
 public:
  void ShowMessageBox(const std::string& text, const std::string& caption,
                      const AlertBoxStyle& style) override;
  void ShowBalloon(BalloonIcon icon, const std::string& title, const std::string& text) override;
  bool RunReminderDialog(const ReminderDialogTexts& texts) override;
  void CloseAlertWindow() override;
  void Pause(int milliseconds) override;

  // The reminder dialog keeps its handle when it opens.
  void KeepAlertWindow(HWND window) { alertWindow_ = window; }

 private:
  HWND alertWindow_ = nullptr;  // the adhan box, reminder box or dialog still open
};

class Win32FileDialog final : public FileDialog {
 public:
  bool ChooseFileToOpen(const std::string& title, const std::vector<FileFilter>& filters,
                        const std::string& initialName, std::string* chosenPath) override;
};

// The tray program's services: this computer's clock, sound player, relay
// port and wake-up timer with the three above; `tasks` runs the wallpaper
// refresh and the silent clock correction.
ShellServices TrayServices(ScheduledTasks& tasks);

}  // namespace korvana::win
