#pragma once
// The graph window (class "KorGraph"): hidden until a graphics command
// arrives, then covering the whole screen on top of every other window with
// one picture drawn off-screen and copied in one piece. A key press or a
// left click hides it again and clears LastGraphicsCommand.

#include <windows.h>

#include "shell/program_state.h"

namespace korvana::win {

inline constexpr char kGraphWindowClass[] = "KorGraph";

// Creates the hidden window at start-up, after the main window. `desktop` is
// the desktop window's rectangle: its right and bottom edges are the screen
// size until a display change says otherwise. `state` is the program's
// values, whose LastGraphicsCommand the window clears when it hides.
bool CreateGraphWindow(ProgramState& state, HINSTANCE instance, HICON icon, const RECT& desktop);

HWND GraphWindow();
// The wallpaper is not refreshed while this is true.
bool IsGraphWindowVisible();

// The off-screen canvas of one drawing and the window's drawing context.
struct GraphPaint {
  HDC windowDc = nullptr;
  HDC canvasDc = nullptr;  // the canvas: a W x H bitmap compatible with the window
  HBITMAP canvasBitmap = nullptr;
  HGDIOBJ originalBitmap = nullptr;
  PAINTSTRUCT paint = {};
};

// Shows the window topmost over the whole screen and sets up the canvas
// (transparent text in white, W/410 pixels between characters). Returns the
// smaller of the screen's width and height.
int BeginGraphPaint(GraphPaint& paint);
// Ends painting and deletes the canvas context and bitmap.
void EndGraphPaint(GraphPaint& paint);

// The graphics commands 1031..1039: Angles, Trajectories, the Moon, Earth
// and Globe views, the Prayer, Qibla and Magnetic Declination maps and the
// Annual Prayer Graph. Records the command in LastGraphicsCommand, so that
// every full check draws it again while it is shown.
void ShowGraphic(ProgramState& state, int command);

}  // namespace korvana::win
