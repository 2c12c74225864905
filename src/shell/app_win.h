#pragma once
// The tray program's window-side values and its one instance of the
// program-wide values, living from start-up to exit.

#include <windows.h>

#include <string>

#include "shell/program_state.h"
#include "shell/shell_services.h"

namespace korvana::win {

struct AppWindows {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND progressBar = nullptr;
  HMENU popupMenu = nullptr;  // first submenu of the menu "Pop"
  HICON programIcon = nullptr;
  UINT taskbarCreatedMessage = 0;
  RECT desktop = {};             // the desktop window's rectangle at start
  std::string programDirectory;  // with a trailing backslash
  std::string baseName;          // the executable's name without extension
  std::string iniPath;
};

AppWindows& App();

// The program-wide values the scheduler, the alerts, the menu and the
// dialogs share, with the engine's state record.
ProgramState& Program();

// This computer's services for the scheduler and the alerts.
ShellServices& Services();

// A file beside the executable.
std::string ProgramFilePath(const std::string& name);

}  // namespace korvana::win
