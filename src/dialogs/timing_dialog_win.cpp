// The Timing dialog ("VakitDlg"): the Win32 side of timing_dialog.h. Every
// WM_INITDIALOG refreshes it, whether the dialog manager sends it on
// opening, the view button, or the scheduler's full check through
// TimingDialogWindow.

#include <windows.h>

#include "dialogs/dialog_common_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/timing_dialog.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

ProgramState* g_state = nullptr;  // the one dialog open (its menu item is grayed)

// The view chosen last: compact at program start, kept until exit.
bool g_timingDialogExpanded = false;

void Refresh(HWND dialog) {
  ProgramState& state = *g_state;
  const DialogUnitsSize size = TimingDialogSize(g_timingDialogExpanded);
  RECT outer = {0, 0, size.width, size.height};
  MapDialogRect(dialog, &outer);
  SetWindowPos(dialog, nullptr, 0, 0, outer.right, outer.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  state.TimingDialogWindow = reinterpret_cast<uintptr_t>(dialog);
  SetFieldText(dialog, IDC_VIEW_TOGGLE, TimingViewButtonText(g_timingDialogExpanded));

  const TimingDialogTexts texts = BuildTimingDialogTexts(state);
  SetWindowTextA(dialog, texts.title.c_str());
  for (int i = 0; i < 10; ++i) SetFieldText(dialog, IDC_TIMING_FIRST + i, texts.timings[i]);
  SetFieldText(dialog, IDC_CALENDAR, texts.calendar);
  for (const TimingRow& row : texts.astro.rows) {
    SetFieldText(dialog, row.valueId, row.value);
    // Only Compass Drift changes; the template greys the others for good.
    if (row.valueId == IDC_COMPASS_DRIFT) EnableField(dialog, row.valueId, row.enabled);
  }
  SetFieldText(dialog, IDC_MOON_LINE, texts.astro.moonLine);
}

INT_PTR CALLBACK TimingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      if (g_state == nullptr) g_state = reinterpret_cast<ProgramState*>(lParam);
      Refresh(dialog);
      return TRUE;  // the keyboard focus as the dialog manager chooses
    }
    case WM_COMMAND: {
      if (HIWORD(wParam) != BN_CLICKED) return TRUE;
      switch (LOWORD(wParam)) {
        case IDOK: {
          EndDialog(dialog, IDOK);
          break;
        }
        case IDC_VIEW_TOGGLE: {
          g_timingDialogExpanded = !g_timingDialogExpanded;
          Refresh(dialog);
          break;
        }
        default:
          break;  // Escape (IDCANCEL) does nothing
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void OpenTimingDialog(ProgramState& state) {
  const AppWindows& app = App();
  EnableMenuCommand(IDM_TIMINGS, false);
  g_state = &state;
  DialogBoxParamA(app.instance, "VakitDlg", app.mainWindow, TimingDialogProc,
                  reinterpret_cast<LPARAM>(&state));
  // The tick's refresh must not reach a closed window (or another one that
  // got its handle).
  state.TimingDialogWindow = 0;
  g_state = nullptr;
  EnableMenuCommand(IDM_TIMINGS, true);
}

}  // namespace korvana::win
