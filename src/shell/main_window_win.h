#pragma once
// The hidden main window of class "Korvana": it receives the timer, tray,
// hotkey, power and command messages.

#include <windows.h>

namespace korvana::win {

inline constexpr char kMainWindowClass[] = "Korvana";
inline constexpr int kMainWindowWidth = 300;
inline constexpr int kMainWindowHeight = 60;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the strip topmost in the top-left corner, or hides it.
void ToggleMainWindow(HWND window);

}  // namespace korvana::win
