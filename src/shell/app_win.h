#pragma once
// The tray program's window-side values, living from start-up to exit.

#include <windows.h>

#include <string>

namespace korvana::win {

struct AppWindows {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND progressBar = nullptr;
  HMENU popupMenu = nullptr;  // first submenu of the menu "Pop"
  HICON programIcon = nullptr;
  UINT taskbarCreatedMessage = 0;
  std::string programDirectory;  // with a trailing backslash
  std::string baseName;          // the executable's name without extension
  std::string iniPath;
};

AppWindows& App();

}  // namespace korvana::win
