#include "shell/app_win.h"

#include "graphics/wallpaper_win.h"
#include "nettime/correct_clock.h"
#include "shell/alert_services_win.h"

namespace korvana::win {

namespace {

// Work the full check starts in other parts of the program.
class TrayTasks final : public ScheduledTasks {
 public:
  void RefreshWallpaper() override { win::RefreshWallpaper(Program()); }
  void CorrectClockSilently() override { RunSilentClockCorrection(Program().iniPath); }
};

}  // namespace

AppWindows& App() {
  static AppWindows app;
  return app;
}

ProgramState& Program() {
  static ProgramState state;
  return state;
}

ShellServices& Services() {
  static TrayTasks tasks;
  static ShellServices services = TrayServices(tasks);
  return services;
}

std::string ProgramFilePath(const std::string& name) { return App().programDirectory + name; }

}  // namespace korvana::win
