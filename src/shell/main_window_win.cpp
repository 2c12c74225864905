#include "shell/main_window_win.h"

#include "resources/resource_ids.h"
#include "shell/app_win.h"
#include "shell/tray_icon_win.h"

namespace korvana::win {

namespace {

void OnShutdown() {
  RemoveTrayIcon();
  PostQuitMessage(0);
}

void OnCommand(HWND window, int id) {
  switch (id) {
    case IDM_EXIT: {
      DestroyWindow(window);
      break;
    }
    default:
      break;
  }
}

void OnTrayCallback(HWND window, LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_RBUTTONDOWN: {
      SetForegroundWindow(window);
      POINT cursor;
      GetCursorPos(&cursor);
      TrackPopupMenu(App().popupMenu, TPM_RIGHTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0,
                     window, nullptr);
      PostMessageA(window, WM_NULL, 0, 0);
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
      OnCommand(window, LOWORD(wParam));
      return 0;
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
