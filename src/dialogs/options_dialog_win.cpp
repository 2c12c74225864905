// The Options dialog ("SettingsDlg"): the Win32 side of options_dialog.h.

#include <windows.h>

#include "dialogs/dialog_common_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/options_dialog.h"
#include "dialogs/tooltip_win.h"
#include "nettime/correct_clock.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

const TooltipText kTooltips[] = {
    {IDC_FAJR_BEFORE_SUNRISE,
     "Fajr adhan time is calculated as the entered value before the Sunrise."},
    {IDC_FAJR_ADHAN, "Enter the value of advance before the Sunrise.\nBetween 10 and 60..."},
    {IDC_ADHAN_AT_FAJR,
     "Fajr adhan will be recited as soon as Fajr enters.\nGenerally used in Ramadhan."},
    {IDC_JUMUAH_SALAWAAT, "Recites salawaat before Friday prayer (Jumuah) if checked."},
    {IDC_JUMUAH_ADVANCE,
     "Enter the value of salawaat advance before Jumuah.\nBetween 10 and 120..."},
    {IDC_PREDAWN_SALAWAAT, "Recites salawaat before Fajr (predawn) if checked."},
    {IDC_PREDAWN_ADVANCE,
     "Enter the value of salawaat advance before Fajr.\nBetween 10 and 120..."},
    {IDOK, "Saves the values on the form to the INI-file."},
    {IDCANCEL,
     "Cancels all changes made on the form and loads back the previous values from the "
     "INI-file."},
    {IDC_REMIND,
     "If checked, the reminder displays a message-box in advance of the next prayer/makrouh "
     "time."},
    {IDC_REMINDER_ADVANCE,
     "Enter the value of reminder advance.\nBetween 10 and 60...\nSafety margins are added to "
     "the advance in order to find the real timing, except for Isha and Fajr prayers."},
    {IDC_USE_SALAWAAT,
     "If checked, salawaat is recited in advance of the next prayer time.\nEach prayer time can "
     "be (de)selected via the \"Salawaat Times\" parameter in the INI file.\nInstead of "
     "reciting salawaat, you can open any other file by modifying the \"Reminder File\" "
     "parameter in the INI file."},
    {IDC_USE_ASR2,
     "If checked, adhan will be played at Asr-II (Hanafi);\nAsr-II will be used for the "
     "Reminder and in the calculation of next prayer timing.\nOtherwise Asr-I (Shafi) will be "
     "used.\n"},
    {IDC_SHOW_ALL_REMAINING,
     "If checked, remaining time to the next prayer/makrouh timing will be shown on the system "
     "tray icon.\nOtherwise the remaining time to the next prayer timing will be shown."},
    {IDC_CLOCK_CORRECTION,
     "If checked, software connects to Internet Time Servers at the beginning of every "
     "hour.\nSystem time is corrected without asking the user."},
    {IDC_RUN_AT_STARTUP,
     "The program will be automatically executed each time a Windows session is opened."},
};

constexpr char kCaption[] = "Korvana";
constexpr char kDownloadQuestion[] = "Salawaat file (sala.wav) is not installed.\nDownload now?\n";
constexpr char kDownloadFailed[] = "Salawaat file is not found...\n";
constexpr char kLoading[] = "Loading...";
constexpr int kFieldBytes = 256;

ProgramState* g_state = nullptr;  // the one dialog open (its menu item is grayed)

void RunSilentCorrection(ProgramState& state) { RunSilentClockCorrection(state.iniPath); }

ClockCorrectionHook g_clockCorrection = RunSilentCorrection;

SchedulerRequest RequestFor(ProgramState& state) {
  return SchedulerRequest{[&state](bool timingsStale) {
    state.TickCountdown = 0;
    if (timingsStale) state.RefreshLevel = kTimingsStale;
  }};
}

std::string ExecutablePath() { return ProgramFile(App().baseName + ".exe"); }

void ShowFajrChoice(HWND dialog, const OptionsView& view) {
  CheckField(dialog, IDC_FAJR_BEFORE_SUNRISE, view.beforeSunriseSelected);
  CheckField(dialog, IDC_ADHAN_AT_FAJR, view.atFajrSelected);
  EnableField(dialog, IDC_FAJR_ADHAN, view.fajrAdhanEnabled);
}

void ShowAll(HWND dialog) {
  const OptionsView view = BuildOptionsView(g_state->options);
  SetFieldText(dialog, IDC_FAJR_ADHAN, view.fields.fajrAdhan);
  ShowFajrChoice(dialog, view);
  SetFieldText(dialog, IDC_REMINDER_ADVANCE, view.fields.reminderAdvance);
  CheckField(dialog, IDC_REMIND, view.remindChecked);
  CheckField(dialog, IDC_USE_SALAWAAT, view.useSalawaatChecked);
  SetFieldText(dialog, IDC_JUMUAH_ADVANCE, view.fields.jumuahAdvance);
  EnableField(dialog, IDC_JUMUAH_ADVANCE, view.jumuahAdvanceEnabled);
  CheckField(dialog, IDC_JUMUAH_SALAWAAT, view.jumuahChecked);
  SetFieldText(dialog, IDC_PREDAWN_ADVANCE, view.fields.predawnAdvance);
  EnableField(dialog, IDC_PREDAWN_ADVANCE, view.predawnAdvanceEnabled);
  CheckField(dialog, IDC_PREDAWN_SALAWAAT, view.predawnChecked);
  CheckField(dialog, IDC_USE_ASR2, view.useAsr2Checked);
  CheckField(dialog, IDC_SHOW_ALL_REMAINING, view.showAllRemainingChecked);
  CheckField(dialog, IDC_CLOCK_CORRECTION, view.clockCorrectionChecked);
  CheckField(dialog, IDC_RUN_AT_STARTUP, view.runAtStartupChecked);
}

// Fetches "sala.wav" into the program's folder; false when the download
// failed or the system offers no download function.
bool DownloadSalawaatFile() {
  using DownloadFn = HRESULT(WINAPI*)(void*, LPCSTR, LPCSTR, DWORD, void*);
  HMODULE urlmon = LoadLibraryA("urlmon.dll");
  if (urlmon == nullptr) return false;
  auto download = reinterpret_cast<DownloadFn>(
      reinterpret_cast<void*>(GetProcAddress(urlmon, "URLDownloadToFileA")));
  const std::string target = ProgramFile(kSalawaatFileName);
  const bool ok = download != nullptr &&
                  SUCCEEDED(download(nullptr, kSalawaatDownloadAddress, target.c_str(), 0,
                                     nullptr)) &&
                  FileExists(target);
  FreeLibrary(urlmon);
  return ok;
}

void OnSave(HWND dialog) {
  ProgramState& state = *g_state;
  OptionsFields fields;
  fields.fajrAdhan = GetFieldText(dialog, IDC_FAJR_ADHAN, kFieldBytes);
  fields.reminderAdvance = GetFieldText(dialog, IDC_REMINDER_ADVANCE, kFieldBytes);
  fields.jumuahAdvance = GetFieldText(dialog, IDC_JUMUAH_ADVANCE, kFieldBytes);
  fields.predawnAdvance = GetFieldText(dialog, IDC_PREDAWN_ADVANCE, kFieldBytes);
  const FieldCheck check = CheckOptionsFields(fields, state.options);
  if (!check.passed) {
    RejectInput(dialog, IDOK, check.focusId);
    return;
  }
  SetFocus(GetDlgItem(dialog, check.focusId));
  if (SalawaatFileNeeded(state.options) && !FileExists(ProgramFile(kSalawaatFileName)) &&
      MessageBoxA(dialog, kDownloadQuestion, kCaption, MB_YESNO) == IDYES) {
    SetFieldText(dialog, IDOK, kLoading);
    if (!DownloadSalawaatFile()) MessageBoxA(dialog, kDownloadFailed, kCaption, MB_ICONWARNING);
  }
  EndDialog(dialog, IDOK);
}

void OnClockCorrectionClicked() {
  ProgramState& state = *g_state;
  state.options.automaticClockCorrection = !state.options.automaticClockCorrection;
  if (!state.options.automaticClockCorrection) return;
  EnableMenuCommand(IDM_NETTIME, false);
  if (g_clockCorrection != nullptr) g_clockCorrection(state);
  EnableMenuCommand(IDM_NETTIME, true);
}

void OnCommand(HWND dialog, int id) {
  Options& options = g_state->options;
  switch (id) {
    case IDOK: {
      OnSave(dialog);
      break;
    }
    case IDCANCEL: {
      EndDialog(dialog, 0);
      break;
    }
    case IDC_FAJR_BEFORE_SUNRISE:
    case IDC_ADHAN_AT_FAJR: {
      options.adhanAtFajr = id == IDC_ADHAN_AT_FAJR;
      ShowFajrChoice(dialog, BuildOptionsView(options));
      break;
    }
    case IDC_JUMUAH_SALAWAAT: {
      options.jumuahSalawaat = !options.jumuahSalawaat;
      EnableField(dialog, IDC_JUMUAH_ADVANCE, options.jumuahSalawaat);
      break;
    }
    case IDC_PREDAWN_SALAWAAT: {
      options.predawnSalawaat = !options.predawnSalawaat;
      EnableField(dialog, IDC_PREDAWN_ADVANCE, options.predawnSalawaat);
      break;
    }
    case IDC_REMIND: {
      options.remind = !options.remind;
      break;
    }
    case IDC_USE_SALAWAAT: {
      options.useSalawaat = !options.useSalawaat;
      break;
    }
    case IDC_SHOW_ALL_REMAINING: {
      options.showAllRemainingTimes = !options.showAllRemainingTimes;
      break;
    }
    case IDC_RUN_AT_STARTUP: {
      // Only the flag: the registry follows on Save.
      options.runAtStartup = !options.runAtStartup;
      break;
    }
    case IDC_USE_ASR2: {
      // AsrTiming follows the flag at once.
      options.useAsr2 = !options.useAsr2;
      break;
    }
    case IDC_CLOCK_CORRECTION: {
      OnClockCorrectionClicked();
      break;
    }
    default:
      break;
  }
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      g_state = reinterpret_cast<ProgramState*>(lParam);
      AttachTooltips(dialog, kTooltips);
      ShowAll(dialog);
      return TRUE;
    }
    case WM_COMMAND: {
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void SetClockCorrectionHook(ClockCorrectionHook hook) { g_clockCorrection = hook; }

void OpenOptionsDialog(ProgramState& state) {
  const AppWindows& app = App();
  EnableMenuCommand(IDM_OPTIONS, false);
  const INT_PTR result = DialogBoxParamA(app.instance, "SettingsDlg", app.mainWindow,
                                         OptionsDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result == IDOK) {
    SaveOptions(state.iniPath, state.options, state.astro, &HostStartupEntry(), ExecutablePath(),
                RequestFor(state));
  } else {
    LoadOptions(state.iniPath, state.options, state.astro, &HostStartupEntry(),
                RequestFor(state));
  }
  EnableMenuCommand(IDM_OPTIONS, true);
}

}  // namespace korvana::win
