#pragma once
// The tray menu's commands and the check marks that show the switches.

#include <windows.h>

namespace korvana::win {

// Carries out menu command `id` (from the popup menu, the menu bar or
// start-up). Identifiers without a command do nothing.
void RunCommand(HWND mainWindow, int id);

// Puts the check mark on menu item `id`, or takes it off.
void SetMenuCheck(int id, bool checked);

}  // namespace korvana::win
