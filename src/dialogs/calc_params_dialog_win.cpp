// The Calculation Parameters dialog ("AstroDlg"): the Win32 side of
// calc_params_dialog.h.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "dialogs/calc_params_dialog.h"
#include "dialogs/dialog_common_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/tooltip_win.h"
#include "platform/local_clock.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "settings/city_list.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

constexpr char kBetweenMinus30AndZero[] = "Between 0 and -30...";
constexpr char kBetweenZeroAndPlus30[] = "Between 0 and +30...";
constexpr char kSaveTip[] = "Saves the values on the form to the INI-file.";

const TooltipText kTooltips[] = {
    {IDC_MARGIN_FAJR, kBetweenMinus30AndZero},
    {IDC_MARGIN_SUNRISE, kBetweenMinus30AndZero},
    {IDC_MARGIN_MIDDAY, kBetweenMinus30AndZero},
    {IDC_MARGIN_FADING, kBetweenMinus30AndZero},
    {IDC_MARGIN_ISHRAQ, kBetweenZeroAndPlus30},
    {IDC_MARGIN_ZUHR, kBetweenZeroAndPlus30},
    {IDC_MARGIN_ASR1, kBetweenZeroAndPlus30},
    {IDC_MARGIN_ASR2, kBetweenZeroAndPlus30},
    {IDC_MARGIN_SUNSET, kBetweenZeroAndPlus30},
    {IDC_MARGIN_ISHA,
     "Between +60 and +120, if Calculation mode is set to 5;\nbetween 0 and +30 otherwise."},
    {IDC_MARGINS_DEFAULT,
     "Resets margins to preset values.\nValid after Apply button is pressed."},
    {IDC_OPEN_LIST, "Database file, offering 6500 cities all over the world, will be opened."},
    {IDC_USE_LIST,
     "Check to use the database.\nUncheck to enter latitude, longitude and time-zone manually "
     "and define City/Country names."},
    {IDC_ROW_NUMBER,
     "Find the desired location from the list, enter its row number into the field and press "
     "the Apply button.\nData of the selected location will be displayed on the form.\nYou can "
     "select the previous/next location in the list by moving the mouse wheel while the caret "
     "is inside the field."},
    {IDC_CITY, "Name of location."},
    {IDC_COUNTRY, "Country where location resides."},
    {IDC_LATITUDE,
     "Latitude of location.\nBetween -90 and +90...\nYou can change the latitude by moving the "
     "mouse wheel while the caret is inside the field."},
    {IDC_LONGITUDE,
     "Longitude of location.\nBetween -180 and +180...\nYou can change the longitude by moving "
     "the mouse wheel while the caret is inside the field."},
    {IDC_TIME_ZONE, "Time Zone of location.\nBetween -12 and +12..."},
    {IDC_WINDOWS_TZ,
     "If checked, the system TZ is applied, irrespective of the status of Time Zone checkbox."},
    {IDC_FAJR_ANGLE,
     "Vertical angle between the sun position at Fajr and the horizon.\nBetween -15 and -20..."},
    {IDC_ISHA_ANGLE,
     "Vertical angle between the sun position at Isha and the horizon.\nBetween -10 and -20..."},
    {IDC_CALC_MODE,
     "Defines the criteria for the calculation of timings:\n0 = Pure Astronomical\n1 = Safety "
     "margin added\n2 = 1 + Shortest day/night is 3 hours\n3 = 1 + 2 + Latest Isha at 1/2 of "
     "night\n4 = 1 + 2 + Latest Isha at 1/3 of night\n5 = 1 + 2 + Isha depends on sunset "
     "(sunset + isha margin)"},
    {IDC_ANGLES_DEFAULT,
     "Reverts to original Calculation mode and Fajr/Isha angle values.\nValid after Apply "
     "button is pressed."},
    {IDC_REAL_TIME,
     "System time is used if checked. All forms and graphics will be automatically updated in "
     "that case.\nUncheck to enter the desired date & time manually into the fields."},
    {IDC_DATE,
     "Enter desired date in DD/MM/YYYY format.\nYou can move the date forward/backward by "
     "moving the mouse wheel while the caret is inside the field."},
    {IDC_TIME,
     "Enter desired time in HH:MM format.\nYou can change the time by moving the mouse wheel "
     "while the caret is inside the field."},
    {IDC_WINDOWS_DLS,
     "If checked, the Daylight Savings scheme of the system will be valid, irrespective of the "
     "status of DLS checkbox."},
    {IDC_DLS, "Check if Daylight Savings are applied."},
    {IDOK, kSaveTip},
    {IDC_APPLY, "Transfers the values entered into the fields to the program."},
    {IDCANCEL,
     "Cancels all changes made on the form (except Date/Time) and loads back the previous "
     "values from the INI-file."},
};

// Field buffers: the names hold 15 characters, every other field 255.
constexpr int kNameFieldBytes = 16;
constexpr int kFieldBytes = 256;

ProgramState* g_state = nullptr;  // the one dialog open (its menu item is grayed)

std::string CityListPath() { return ProgramFile(App().baseName + ".csv"); }

SchedulerRequest RequestFor(ProgramState& state) {
  return SchedulerRequest{[&state](bool timingsStale) {
    state.TickCountdown = 0;
    if (timingsStale) state.RefreshLevel = kTimingsStale;
  }};
}

void ReadCityRow(CalcParams& params) { ReadCityListRow(CityListPath(), params); }

CalcParamsView CurrentView() {
  return BuildCalcParamsView(g_state->calc, g_state->RealTimeMode, g_state->CurrentDateTime,
                             FileExists(CityListPath()));
}

void ShowMargins(HWND dialog, const CalcParamsView& view) {
  for (int k = 0; k < 10; ++k) {
    SetFieldText(dialog, IDC_MARGIN_FIRST + k, view.fields.margins[k]);
    EnableField(dialog, IDC_MARGIN_FIRST + k, view.marginsEnabled);
  }
}

void EnableLocationFields(HWND dialog, const CalcParamsView& view) {
  EnableField(dialog, IDC_ROW_NUMBER, view.rowNumberEnabled);
  for (int id : {IDC_CITY, IDC_COUNTRY, IDC_LATITUDE, IDC_LONGITUDE})
    EnableField(dialog, id, view.placeEnabled);
  EnableField(dialog, IDC_TIME_ZONE, view.timeZoneEnabled);
}

void ShowLocationTexts(HWND dialog, const CalcParamsView& view) {
  SetFieldText(dialog, IDC_ROW_NUMBER, view.fields.rowNumber);
  SetFieldText(dialog, IDC_CITY, view.fields.city);
  SetFieldText(dialog, IDC_COUNTRY, view.fields.country);
  SetFieldText(dialog, IDC_LATITUDE, view.fields.latitude);
  SetFieldText(dialog, IDC_LONGITUDE, view.fields.longitude);
  SetFieldText(dialog, IDC_TIME_ZONE, view.fields.timeZone);
}

void ShowAngles(HWND dialog, const CalcParamsView& view) {
  SetFieldText(dialog, IDC_FAJR_ANGLE, view.fields.fajrAngle);
  SetFieldText(dialog, IDC_ISHA_ANGLE, view.fields.ishaAngle);
  SetFieldText(dialog, IDC_CALC_MODE, view.fields.calcMode);
}

void ShowDateTime(HWND dialog, const CalcParamsView& view) {
  CheckField(dialog, IDC_REAL_TIME, view.realTimeChecked);
  SetFieldText(dialog, IDC_DATE, view.fields.date);
  SetFieldText(dialog, IDC_TIME, view.fields.time);
  EnableField(dialog, IDC_DATE, view.dateTimeEnabled);
  EnableField(dialog, IDC_TIME, view.dateTimeEnabled);
}

// Initialisation steps 2 to 7: the form shows what the program holds.
void ShowAll(HWND dialog) {
  const CalcParamsView view = CurrentView();
  ShowMargins(dialog, view);
  EnableField(dialog, IDC_OPEN_LIST, view.openListEnabled);
  CheckField(dialog, IDC_USE_LIST, view.useListChecked);
  EnableLocationFields(dialog, view);
  ShowLocationTexts(dialog, view);
  CheckField(dialog, IDC_WINDOWS_TZ, view.windowsTimeZoneChecked);
  ShowAngles(dialog, view);
  ShowDateTime(dialog, view);
  CheckField(dialog, IDC_WINDOWS_DLS, view.windowsDaylightChecked);
  EnableField(dialog, IDC_DLS, view.daylightEnabled);
  CheckField(dialog, IDC_DLS, view.daylightChecked);
}

CalcParamsFields ReadFields(HWND dialog) {
  CalcParamsFields f;
  f.calcMode = GetFieldText(dialog, IDC_CALC_MODE, kFieldBytes);
  for (int k = 0; k < 10; ++k) f.margins[k] = GetFieldText(dialog, IDC_MARGIN_FIRST + k, kFieldBytes);
  f.rowNumber = GetFieldText(dialog, IDC_ROW_NUMBER, kFieldBytes);
  f.city = GetFieldText(dialog, IDC_CITY, kNameFieldBytes);
  f.country = GetFieldText(dialog, IDC_COUNTRY, kNameFieldBytes);
  f.latitude = GetFieldText(dialog, IDC_LATITUDE, kFieldBytes);
  f.longitude = GetFieldText(dialog, IDC_LONGITUDE, kFieldBytes);
  f.timeZone = GetFieldText(dialog, IDC_TIME_ZONE, kFieldBytes);
  f.fajrAngle = GetFieldText(dialog, IDC_FAJR_ANGLE, kFieldBytes);
  f.ishaAngle = GetFieldText(dialog, IDC_ISHA_ANGLE, kFieldBytes);
  f.date = GetFieldText(dialog, IDC_DATE, kFieldBytes);
  f.time = GetFieldText(dialog, IDC_TIME, kFieldBytes);
  return f;
}

// Apply (1099) and Save (1).
void OnConfirm(HWND dialog, int buttonId) {
  ProgramState& state = *g_state;
  const FieldCheck check = CheckCalcParamsFields(ReadFields(dialog), state.calc,
                                                 state.RealTimeMode, state.CurrentDateTime,
                                                 ReadCityRow);
  if (!check.passed) {
    RejectInput(dialog, buttonId, check.focusId);
    return;
  }
  SetFocus(GetDlgItem(dialog, check.focusId));
  if (buttonId == IDOK) {
    EndDialog(dialog, IDOK);
    return;
  }
  PushCalcParams(state.calc, state.astro, RequestFor(state));
  ShowAll(dialog);
}

void OnRealTimeClicked(HWND dialog) {
  ProgramState& state = *g_state;
  state.RealTimeMode = !state.RealTimeMode;
  if (state.RealTimeMode) {
    state.CurrentDateTime = HostLocalClock().GetLocalTime();
    state.TickCountdown = 0;
  }
  ShowDateTime(dialog, CurrentView());
}

void OnCommand(HWND dialog, int id) {
  ProgramState& state = *g_state;
  CalcParams& calc = state.calc;
  switch (id) {
    case IDOK:
    case IDC_APPLY: {
      OnConfirm(dialog, id);
      break;
    }
    case IDCANCEL: {
      EndDialog(dialog, 0);
      break;
    }
    case IDC_MARGINS_DEFAULT: {
      ResetMargins(calc);
      ShowMargins(dialog, CurrentView());
      break;
    }
    case IDC_ANGLES_DEFAULT: {
      ResetAngles(calc);
      ShowAngles(dialog, CurrentView());
      break;
    }
    case IDC_OPEN_LIST: {
      ShellExecuteA(dialog, nullptr, CityListPath().c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
      break;
    }
    case IDC_USE_LIST: {
      calc.useList = calc.useList != 0 ? 0 : 1;
      EnableLocationFields(dialog, CurrentView());
      break;
    }
    case IDC_WINDOWS_TZ: {
      calc.windowsTimeZone = calc.windowsTimeZone != 0 ? 0 : 1;
      EnableField(dialog, IDC_TIME_ZONE, CurrentView().timeZoneEnabled);
      break;
    }
    case IDC_DLS: {
      calc.daylightSaving = calc.daylightSaving != 0 ? 0 : 1;
      break;
    }
    case IDC_WINDOWS_DLS: {
      calc.windowsDaylightSaving = calc.windowsDaylightSaving != 0 ? 0 : 1;
      EnableField(dialog, IDC_DLS, CurrentView().daylightEnabled);
      break;
    }
    case IDC_REAL_TIME: {
      OnRealTimeClicked(dialog);
      break;
    }
    default:
      break;
  }
}

// One wheel step on the field with the keyboard focus.
void OnMouseWheel(HWND dialog, WPARAM wParam) {
  ProgramState& state = *g_state;
  const bool forward = GET_WHEEL_DELTA_WPARAM(wParam) > 0;
  const int focused = GetDlgCtrlID(GetFocus());
  switch (StepCalcParamsField(focused, forward, state.calc, state.CurrentDateTime)) {
    case WheelEffect::kCityRow: {
      ReadCityRow(state.calc);
      ShowLocationTexts(dialog, CurrentView());
      break;
    }
    case WheelEffect::kLocation: {
      const CalcParamsView view = CurrentView();
      SetFieldText(dialog, focused,
                   focused == IDC_LATITUDE ? view.fields.latitude : view.fields.longitude);
      state.TickCountdown = 0;
      state.RefreshLevel = kTimingsStale;
      RunTickNow();
      break;
    }
    case WheelEffect::kDateTime: {
      ShowDateTime(dialog, CurrentView());
      state.TickCountdown = 0;
      RunTickNow();
      break;
    }
    case WheelEffect::kNone:
      break;
  }
}

// NOTE: Windows hands a wheel turn over an edit field on to the dialog, but
// Wine's edit control keeps it; the wheel fields pass it on themselves.
constexpr UINT_PTR kWheelSubclassId = 1;

LRESULT CALLBACK PassWheelToDialog(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR) {
  if (message == WM_MOUSEWHEEL) return SendMessageA(GetParent(field), message, wParam, lParam);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(field, PassWheelToDialog, kWheelSubclassId);
  return DefSubclassProc(field, message, wParam, lParam);
}

void PassWheelFromFields(HWND dialog) {
  for (int id : {IDC_ROW_NUMBER, IDC_LATITUDE, IDC_LONGITUDE, IDC_DATE, IDC_TIME})
    SetWindowSubclass(GetDlgItem(dialog, id), PassWheelToDialog, kWheelSubclassId, 0);
}

INT_PTR CALLBACK CalcParamsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      g_state = reinterpret_cast<ProgramState*>(lParam);
      AttachTooltips(dialog, kTooltips);
      PassWheelFromFields(dialog);
      ShowAll(dialog);
      return TRUE;
    }
    case WM_COMMAND: {
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    }
    case WM_MOUSEWHEEL: {
      OnMouseWheel(dialog, wParam);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void OpenCalcParamsDialog(ProgramState& state) {
  const AppWindows& app = App();
  EnableMenuCommand(IDM_CALC_PARAMS, false);
  const INT_PTR result = DialogBoxParamA(app.instance, "AstroDlg", app.mainWindow,
                                         CalcParamsDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result == IDOK) {
    SaveCalcParams(state.iniPath, state.calc, state.astro, RequestFor(state));
  } else {
    LoadCalcParams(state.iniPath, state.calc, state.astro, RequestFor(state));
  }
  EnableMenuCommand(IDM_CALC_PARAMS, true);
}

}  // namespace korvana::win
