// The About box ("AboutDlg"): the authorship notice, the home page and the
// e-mail address.

#include <windows.h>
#include <shellapi.h>

#include "dialogs/dialog_common_win.h"
#include "dialogs/dialogs_win.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND: {
      if (HIWORD(wParam) != BN_CLICKED) return TRUE;
      switch (LOWORD(wParam)) {
        case IDC_HOME_PAGE: {
          ShellExecuteA(nullptr, nullptr, kHomePageAddress, nullptr, nullptr, SW_SHOWMAXIMIZED);
          EndDialog(dialog, IDOK);
          break;
        }
        case IDC_EMAIL: {
          ShellExecuteA(nullptr, nullptr, kEmailAddress, nullptr, nullptr, SW_SHOWNORMAL);
          EndDialog(dialog, IDOK);
          break;
        }
        case IDOK: {
          EndDialog(dialog, IDOK);
          break;
        }
        default:
          break;  // Escape does nothing
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void OpenAboutDialog() {
  const AppWindows& app = App();
  EnableMenuCommand(IDM_ABOUT, false);
  DialogBoxParamA(app.instance, "AboutDlg", app.mainWindow, AboutDialogProc, 0);
  EnableMenuCommand(IDM_ABOUT, true);
}

}  // namespace korvana::win
