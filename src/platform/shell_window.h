#pragma once
// What the scheduler and the alerts ask of the main window: its title and
// the tray tip, the progress bar, menu items, timers, and messages to the
// Timing dialog and the graph window.

#include <cstdint>
#include <string>

namespace korvana {

class ShellWindow {
 public:
  virtual ~ShellWindow() = default;
  // The time-remaining line: becomes the main window's title and the tray
  // icon's tip.
  virtual void ShowTip(const std::string& tip) = 0;
  // Progress bar range 0..span and position.
  virtual void SetProgress(int span, int position) = 0;
  // Enables or grays a menu item of the popup menu.
  virtual void EnableMenuItem(int id, bool enabled) = 0;
  // Starts (or restarts) and stops a timer of the main window.
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;
  // Sends WM_INITDIALOG to the Timing dialog so that it shows the new values;
  // nothing happens when that window no longer exists.
  virtual void RefreshTimingDialog(uintptr_t dialogWindow) = 0;
  // Posts a menu command to the main window (the graph window redraws the
  // graphic it shows).
  virtual void PostCommand(int id) = 0;
};

}  // namespace korvana
