#include "shell/commands_win.h"

#include <shellapi.h>

#include <string>

#include "convert/mp3_to_wav_win.h"
#include "dialogs/dialogs_win.h"
#include "graphics/graph_window_win.h"
#include "graphics/wallpaper_win.h"
#include "nettime/correct_clock.h"
#include "platform/open_document.h"
#include "platform/time_zone_rules.h"
#include "reports/holy_days_report.h"
#include "reports/timetable_report.h"
#include "resources/resource_ids.h"
#include "settings/schema.h"
#include "shell/alerts.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

// The article on how prayer times are calculated (Help > Prayer Times).
constexpr char kPrayerTimesArticle[] = "https://en.wikipedia.org/wiki/Salah_times";

void EnableItem(int id, bool enabled) {
  EnableMenuItem(App().popupMenu, static_cast<UINT>(id),
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

std::string ReportPath() { return ProgramFilePath(App().baseName + ".txt"); }

void WriteTimetable(bool yearly) {
  ProgramState& state = Program();
  TimetableReportJob job;
  job.yearly = yearly;
  job.year = state.CurrentDateTime.year;
  job.month = state.CurrentDateTime.month;
  job.params = &state.calc;
  job.systemZone = &HostTimeZoneRules();
  if (WriteTimetableReport(ReportPath(), state.astro, job, &state.TickCountdown)) {
    OpenDocument(ReportPath());
  }
}

void WriteHolyDays() {
  ProgramState& state = Program();
  if (WriteHolyDaysReport(ReportPath(), state.astro, state.CurrentDateTime.year,
                          &state.TickCountdown)) {
    OpenDocument(ReportPath());
  }
}

void ToggleAdhanSalawaat() {
  ProgramState& state = Program();
  state.AdhanSalawaatOn = !state.AdhanSalawaatOn;
  if (!state.AdhanSalawaatOn) StopAlertSound(state, Services());
  SetMenuCheck(IDM_ADHAN_SALAWAAT, state.AdhanSalawaatOn);
}

void ToggleWakeUp() {
  ProgramState& state = Program();
  state.WakeUpOn = !state.WakeUpOn;
  SetMenuCheck(IDM_WAKE_UP, state.WakeUpOn);
}

void ChooseMessageMode(int id) {
  ProgramState& state = Program();
  state.MessageMode = id - IDM_MESSAGES_NONE;
  for (int item = IDM_MESSAGES_NONE; item <= IDM_MESSAGES_BOX; ++item) SetMenuCheck(item, false);
  SetMenuCheck(id, true);
  WriteMessageMode(state.iniPath, state.MessageMode);
}

// A task that must not run twice: its item is grayed while it runs.
template <typename Task>
void RunGrayed(int id, Task task) {
  EnableItem(id, false);
  task();
  EnableItem(id, true);
}

void OpenWithShell(const std::string& target) {
  ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

}  // namespace

void SetMenuCheck(int id, bool checked) {
  CheckMenuItem(App().popupMenu, static_cast<UINT>(id),
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void RunCommand(HWND mainWindow, int id) {
  ProgramState& state = Program();
  if (id >= IDM_SELECT_ADHAN_FIRST && id <= IDM_SELECT_ADHAN_LAST) {
    SelectAdhanFile(state, Services(), id);  // grays its own item
    return;
  }
  if (id >= IDM_TALLY_FIRST && id <= IDM_TALLY_LAST) {
    OpenTallyDialog(state, id - IDM_ABOUT);  // grays its own item
    return;
  }
  if (id >= IDM_RECITE_ADHAN_FIRST && id <= IDM_RECITE_ADHAN_LAST) {
    PlayAlertFile(state, Services(), state.AdhanFiles[id - IDM_RECITE_ADHAN_FIRST]);
    return;
  }
  switch (id) {
    case IDM_TIMINGS: {
      OpenTimingDialog(state);  // grays its own item
      break;
    }
    case IDM_REPORT_MONTH: {
      WriteTimetable(false);
      break;
    }
    case IDM_REPORT_YEAR: {
      WriteTimetable(true);
      break;
    }
    case IDM_REPORT_HOLY_DAYS: {
      WriteHolyDays();
      break;
    }
    case IDM_CALC_PARAMS: {
      OpenCalcParamsDialog(state);
      break;
    }
    case IDM_NETTIME: {
      RunGrayed(id, [&] { RunManualClockCorrection(state.iniPath); });
      break;
    }
    case IDM_ADHAN_SALAWAAT: {
      ToggleAdhanSalawaat();
      break;
    }
    case IDM_MESSAGES_NONE:
    case IDM_MESSAGES_BALLOON:
    case IDM_MESSAGES_BOX: {
      ChooseMessageMode(id);
      break;
    }
    case IDM_OPTIONS: {
      OpenOptionsDialog(state);
      break;
    }
    case IDM_USER_MANUAL: {
      OpenWithShell(App().baseName + ".rtf");
      break;
    }
    case IDM_PRAYER_TIMES_ARTICLE: {
      OpenWithShell(kPrayerTimesArticle);
      break;
    }
    case IDM_ABOUT: {
      OpenAboutDialog();  // grays its own item
      break;
    }
    case IDM_GRAPH_ANGLES:
    case IDM_GRAPH_TRAJECTORIES:
    case IDM_GRAPH_MOON_VIEW:
    case IDM_GRAPH_EARTH_VIEW:
    case IDM_GRAPH_GLOBE_VIEW:
    case IDM_MAP_PRAYER:
    case IDM_MAP_QIBLA:
    case IDM_MAP_DECLINATION:
    case IDM_GRAPH_ANNUAL: {
      ShowGraphic(state, id);
      break;
    }
    case IDM_WALLPAPER_MOON:
    case IDM_WALLPAPER_EARTH:
    case IDM_WALLPAPER_GLOBE: {
      ChooseWallpaper(state, id - IDM_WALLPAPER_MOON + 1);
      break;
    }
    case IDM_MP3_TO_WAV: {
      RunMp3ToWavConverter(mainWindow);
      break;
    }
    case IDM_EXIT: {
      DestroyWindow(mainWindow);
      break;
    }
    case IDM_WAKE_UP: {
      ToggleWakeUp();
      break;
    }
    default:
      break;
  }
}

}  // namespace korvana::win
