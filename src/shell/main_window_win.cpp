#include "shell/main_window_win.h"

#include "graphics/wallpaper_win.h"
#include "resources/resource_ids.h"
#include "settings/schema.h"
#include "shell/alerts.h"
#include "shell/app_win.h"
#include "shell/commands_win.h"
#include "shell/scheduler.h"
#include "shell/tray_icon_win.h"

namespace korvana::win {

namespace {

bool g_shutDown = false;

// Silences the alerts, restores the desktop, saves the two switches that
// outlive a run and leaves the tray. Runs once, whether the window is
// destroyed or the session ends.
void OnShutdown() {
  if (g_shutDown) return;
  g_shutDown = true;
  ProgramState& state = Program();
  ShellServices& services = Services();
  StopAlertSound(state, services);
  services.relay.ClearBreak();
  if (state.WallpaperMode != 0) RestoreDesktop();
  WriteAdhanSalawaat(state.iniPath, state.AdhanSalawaatOn);
  WriteWakeUp(state.iniPath, state.WakeUpOn);
  DestroyMenu(App().popupMenu);
  RemoveTrayIcon();
  PostQuitMessage(0);
}

// The desktop with its icons: a double click on the tray icon hides or
// shows it.
void ToggleDesktopIcons() {
  HWND desktop = FindWindowA("Progman", nullptr);
  if (desktop == nullptr) return;
  ShowWindow(desktop, IsWindowVisible(desktop) ? SW_HIDE : SW_SHOW);
}

void OnTrayCallback(HWND window, LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDOWN: {
      // A single click acts only once the double-click time has passed.
      SetForegroundWindow(window);
      SetTimer(window, TIMER_CLICK, GetDoubleClickTime(), nullptr);
      break;
    }
    case WM_LBUTTONDBLCLK: {
      KillTimer(window, TIMER_CLICK);
      ToggleDesktopIcons();
      break;
    }
    case WM_RBUTTONDOWN: {
      SetForegroundWindow(window);
      POINT cursor;
      GetCursorPos(&cursor);
      TrackPopupMenu(App().popupMenu, TPM_RIGHTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0,
                     window, nullptr);
      PostMessageA(window, WM_NULL, 0, 0);
      break;
    }
    case WM_MBUTTONDOWN: {
      StopAlertSound(Program(), Services());
      break;
    }
    default:
      break;
  }
}

void OnTimer(HWND window, WPARAM id) {
  switch (id) {
    case TIMER_TICK: {
      Tick(Program(), Services());
      break;
    }
    case TIMER_CLICK: {
      KillTimer(window, TIMER_CLICK);
      ToggleMainWindow(window);
      break;
    }
    case TIMER_RELAY: {
      EndRelayPulse(Program(), Services());
      break;
    }
    default:
      break;
  }
}

}  // namespace

void ToggleMainWindow(HWND window) {
  if (IsWindowVisible(window)) {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, kMainWindowWidth, kMainWindowHeight,
                 SWP_HIDEWINDOW);
  } else {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, kMainWindowWidth, kMainWindowHeight,
                 SWP_SHOWWINDOW);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == App().taskbarCreatedMessage) {
    ReAddTrayIcon();
    return 0;
  }
  switch (message) {
    case WM_DESTROY:
    case WM_QUERYENDSESSION: {
      OnShutdown();
      return 1;
    }
    case WM_COMMAND: {
      RunCommand(window, LOWORD(wParam));
      return 0;
    }
    case WM_TIMER: {
      OnTimer(window, wParam);
      return 0;
    }
    case WM_TIMECHANGE: {
      OnTimeChange(Program());
      break;
    }
    case WM_DISPLAYCHANGE: {
      OnDisplayChange(Program());
      break;
    }
    case WM_POWERBROADCAST: {
      if (wParam == PBT_APMRESUMESUSPEND) OnDisplayChange(Program());
      break;
    }
    case WM_HOTKEY: {
      ToggleMainWindow(window);
      return 0;
    }
    case WM_KORVANA_TRAY: {
      OnTrayCallback(window, lParam);
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace korvana::win
