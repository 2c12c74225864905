#pragma once
// Everything the scheduler and the alerts reach outside themselves, bundled
// so the tray program passes the real ones and tests pass fakes.

#include "platform/alert_presenter.h"
#include "platform/file_dialog.h"
#include "platform/local_clock.h"
#include "platform/relay_port.h"
#include "platform/shell_window.h"
#include "platform/sound_player.h"
#include "platform/wake_up_timer.h"

namespace korvana {

// Work of other parts of the program that the full check starts.
class ScheduledTasks {
 public:
  virtual ~ScheduledTasks() = default;
  // Renders the wallpaper picture again and sets NextWallpaperRefresh (it
  // renders nothing while the graph window is visible).
  virtual void RefreshWallpaper() = 0;
  // The silent clock correction from the time servers.
  virtual void CorrectClockSilently() = 0;
};

struct ShellServices {
  LocalClock& clock;
  ShellWindow& window;
  AlertPresenter& presenter;
  SoundPlayer& sound;
  RelayPort& relay;
  WakeUpTimer& wakeUp;
  FileDialog& files;
  ScheduledTasks& tasks;
};

}  // namespace korvana
