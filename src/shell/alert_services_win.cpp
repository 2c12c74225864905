#include "shell/alert_services_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

#include "dialogs/tooltip_win.h"
#include "resources/dialog_ids.h"
#include "shell/app_win.h"
#include "shell/tray_icon_win.h"

namespace korvana::win {

namespace {

constexpr size_t kFileNameBytes = 256;

// --- The kept handle of a message box ---
// MessageBoxA gives no handle, so a hook on this thread notes the first
// dialog window created after it is installed: the box itself. It is noted
// before the box's message loop runs the next ticks.
HHOOK g_boxHook = nullptr;
HWND* g_keptHandle = nullptr;  // the presenter's kept handle
HWND* g_boxHandle = nullptr;   // the caller's own copy

LRESULT CALLBACK NoteCreatedBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_boxHook != nullptr) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") == 0) {
      *g_keptHandle = window;
      *g_boxHandle = window;
      UnhookWindowsHookEx(g_boxHook);
      g_boxHook = nullptr;
      return 0;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct ReminderDialogContext {
  const ReminderDialogTexts* texts;
  Win32AlertPresenter* presenter;
  HWND dialog;
};

INT_PTR CALLBACK ReminderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* context = reinterpret_cast<ReminderDialogContext*>(lParam);
      context->dialog = dialog;
      context->presenter->KeepAlertWindow(dialog);
      HWND button = GetDlgItem(dialog, IDOK);
      AttachTooltip(button, dialog, context->texts->buttonTip.c_str());
      SetDlgItemTextA(dialog, IDC_REMINDER_MESSAGE, context->texts->message.c_str());
      SetWindowTextA(button, context->texts->buttonText.c_str());
      return TRUE;
    }
    case WM_COMMAND: {
      // Only the button (or Enter) closes it; Escape does nothing.
      if (LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

DWORD BalloonIconFlag(BalloonIcon icon) {
  switch (icon) {
    case BalloonIcon::kInformation:
      return NIIF_INFO;
    case BalloonIcon::kWarning:
      return NIIF_WARNING;
    default:
      return NIIF_ERROR;
  }
}

}  // namespace

// --- Win32ShellWindow ---

void Win32ShellWindow::ShowTip(const std::string& tip) {
  SetWindowTextA(App().mainWindow, tip.c_str());
  SetTrayTip(tip);
}

void Win32ShellWindow::SetProgress(int span, int position) {
  SendMessageA(App().progressBar, PBM_SETRANGE, 0, MAKELPARAM(0, span));
  SendMessageA(App().progressBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void Win32ShellWindow::EnableMenuItem(int id, bool enabled) {
  ::EnableMenuItem(App().popupMenu, static_cast<UINT>(id),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32ShellWindow::StartTimer(int id, int milliseconds) {
  SetTimer(App().mainWindow, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void Win32ShellWindow::StopTimer(int id) {
  KillTimer(App().mainWindow, static_cast<UINT_PTR>(id));
}

void Win32ShellWindow::RefreshTimingDialog(uintptr_t dialogWindow) {
  HWND dialog = reinterpret_cast<HWND>(dialogWindow);
  if (IsWindow(dialog)) SendMessageA(dialog, WM_INITDIALOG, 0, 0);
}

void Win32ShellWindow::PostCommand(int id) {
  PostMessageA(App().mainWindow, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

// --- Win32AlertPresenter ---

void Win32AlertPresenter::ShowMessageBox(const std::string& text, const std::string& caption,
                                         const AlertBoxStyle& style) {
  UINT flags = MB_OK;
  if (style.warningIcon) flags |= MB_ICONWARNING;
  if (style.systemModal) flags |= MB_SYSTEMMODAL;
  HWND owner = style.ownedByMainWindow ? App().mainWindow : nullptr;
  if (!style.closedByNextAlert) {
    MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    return;
  }
  HWND box = nullptr;
  g_keptHandle = &alertWindow_;
  g_boxHandle = &box;
  g_boxHook = SetWindowsHookExA(WH_CBT, NoteCreatedBox, nullptr, GetCurrentThreadId());
  MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
  if (g_boxHook != nullptr) {  // no box was made
    UnhookWindowsHookEx(g_boxHook);
    g_boxHook = nullptr;
  }
  if (box != nullptr && alertWindow_ == box) alertWindow_ = nullptr;
}

void Win32AlertPresenter::ShowBalloon(BalloonIcon icon, const std::string& title,
                                      const std::string& text) {
  SetForegroundWindow(App().mainWindow);
  ShowTrayBalloon(text, title, BalloonIconFlag(icon));
}

bool Win32AlertPresenter::RunReminderDialog(const ReminderDialogTexts& texts) {
  ReminderDialogContext context{&texts, this, nullptr};
  const INT_PTR result =
      DialogBoxParamA(App().instance, "RemindDlg", App().mainWindow, ReminderDialogProc,
                      reinterpret_cast<LPARAM>(&context));
  if (context.dialog != nullptr && alertWindow_ == context.dialog) alertWindow_ = nullptr;
  return result == 1;
}

void Win32AlertPresenter::CloseAlertWindow() {
  HWND window = alertWindow_;
  alertWindow_ = nullptr;
  if (window == nullptr || window == App().mainWindow || !IsWindow(window)) return;
  EndDialog(window, 0);  // message boxes are dialogs too
}

void Win32AlertPresenter::Pause(int milliseconds) {
  Sleep(static_cast<DWORD>(milliseconds > 0 ? milliseconds : 0));
}

// --- Win32FileDialog ---

bool Win32FileDialog::ChooseFileToOpen(const std::string& title,
                                       const std::vector<FileFilter>& filters,
                                       const std::string& initialName, std::string* chosenPath) {
  std::string filter;
  for (const FileFilter& f : filters) {
    filter += f.name;
    filter.push_back('\0');
    filter += f.pattern;
    filter.push_back('\0');
  }
  filter.push_back('\0');
  char file[kFileNameBytes] = {};
  std::strncpy(file, initialName.c_str(), sizeof file - 1);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = App().mainWindow;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return false;
  *chosenPath = file;
  return true;
}

ShellServices TrayServices(ScheduledTasks& tasks) {
  static Win32ShellWindow window;
  static Win32AlertPresenter presenter;
  static Win32FileDialog files;
  return {HostLocalClock(), window, presenter, HostSoundPlayer(), HostRelayPort(),
          HostWakeUpTimer(), files, tasks};
}

}  // namespace korvana::win
