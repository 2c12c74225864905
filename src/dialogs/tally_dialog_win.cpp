// The Tally dialog ("TallyDlg"): one counter's name, value and increment,
// stored into the INI file and the menu by Close.

#include <windows.h>

#include <string>

#include "dialogs/dialog_common_win.h"
#include "dialogs/dialog_text.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/tally_dialog.h"
#include "dialogs/tooltip_win.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "settings/schema.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

const TooltipText kTooltips[] = {
    {IDC_TALLY_NAME, "You can define the tally name."},
    {IDC_TALLY_VALUE, "Enter the initial value."},
    {IDC_TALLY_INCREMENT,
     "Enter the increment value.\nEnter a negative number to decrement the counter."},
    {IDC_TALLY_ADD, "Adds the increment value to the initial value."},
    {IDOK, "Saves the initial value to the INI-file."},
};

constexpr int kMenuTextBytes = 255;
constexpr int kNameFieldBytes = static_cast<int>(kTallyNameLength) + 1;
constexpr int kNumberFieldBytes = 256;

// Each open dialog keeps its own: the dialogs of two different counters may
// be open at once, one nested in the other's message loop.
struct TallyContext {
  ProgramState* state;
  int number;  // 1..5
};

int MenuId(int number) { return IDM_ABOUT + number; }

TallyContext& ContextOf(HWND dialog) {
  return *reinterpret_cast<TallyContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void OnInit(HWND dialog, const TallyContext& tally) {
  const std::string& ini = tally.state->iniPath;
  AttachTooltips(dialog, kTooltips);
  char name[kMenuTextBytes] = "";
  GetMenuStringA(App().popupMenu, static_cast<UINT>(MenuId(tally.number)), name, sizeof name,
                 MF_BYCOMMAND);
  SetFieldText(dialog, IDC_TALLY_NAME, name);
  SetDlgItemInt(dialog, IDC_TALLY_VALUE,
                static_cast<UINT>(ReadIniInt(ini, kOptionsSection, TallyValueKey(tally.number),
                                             kDefaultTallyValue)),
                TRUE);
  SetDlgItemInt(dialog, IDC_TALLY_INCREMENT,
                static_cast<UINT>(ReadIniInt(ini, kOptionsSection,
                                             TallyIncrementKey(tally.number),
                                             kDefaultTallyIncrement)),
                TRUE);
}

void OnAdd(HWND dialog) {
  const int32_t sum = AddTallyIncrement(GetFieldText(dialog, IDC_TALLY_VALUE, kNumberFieldBytes),
                                        GetFieldText(dialog, IDC_TALLY_INCREMENT, kNumberFieldBytes));
  SetDlgItemInt(dialog, IDC_TALLY_VALUE, static_cast<UINT>(sum), TRUE);
}

void OnClose(HWND dialog, const TallyContext& tally) {
  const std::string& ini = tally.state->iniPath;
  const int n = tally.number;
  const std::string name = CutTallyName(GetFieldText(dialog, IDC_TALLY_NAME, kNameFieldBytes));
  WriteTallyName(ini, n, name);
  ModifyMenuA(App().popupMenu, static_cast<UINT>(MenuId(n)), MF_BYCOMMAND | MF_STRING,
              static_cast<UINT_PTR>(MenuId(n)), name.c_str());
  const auto storeNumber = [&](int id, const std::string& key) {
    const int32_t value = ReadFieldIntegerOrZero(GetFieldText(dialog, id, kNumberFieldBytes));
    WriteIniInt(ini, kOptionsSection, key, value);
  };
  storeNumber(IDC_TALLY_VALUE, TallyValueKey(n));
  storeNumber(IDC_TALLY_INCREMENT, TallyIncrementKey(n));
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK TallyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      OnInit(dialog, ContextOf(dialog));
      return TRUE;
    }
    case WM_COMMAND: {
      if (HIWORD(wParam) != BN_CLICKED) return TRUE;
      switch (LOWORD(wParam)) {
        case IDC_TALLY_ADD: {
          OnAdd(dialog);
          break;
        }
        case IDOK: {
          OnClose(dialog, ContextOf(dialog));
          break;
        }
        default:
          break;  // no Cancel: Escape does nothing, Close always stores
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void OpenTallyDialog(ProgramState& state, int number) {
  if (number < 1 || number > kTallyCount) return;
  const AppWindows& app = App();
  TallyContext tally = {&state, number};
  EnableMenuCommand(MenuId(number), false);
  DialogBoxParamA(app.instance, "TallyDlg", app.mainWindow, TallyDialogProc,
                  reinterpret_cast<LPARAM>(&tally));
  EnableMenuCommand(MenuId(number), true);
}

}  // namespace korvana::win
