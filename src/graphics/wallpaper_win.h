#pragma once
// The Windows side of the desktop wallpaper: the system's background colour,
// the strings under "Control Panel\desktop" around SPI_SETDESKWALLPAPER, the
// check marks of the "Wallpaper" items and the "Wall" key.

#include "platform/desktop.h"
#include "shell/program_state.h"

namespace korvana::win {

// This computer's desktop, as the pictures and the graph window's views
// use it.
Desktop& ProgramDesktop();

// Commands 1046..1048: kind 1 Moon, 2 Earth, 3 Globe (command - 1045).
// Choosing the kind already on switches the wallpaper off.
void ChooseWallpaper(ProgramState& state, int kind);

// The desktop colour from before the first wallpaper, and the user's own
// wallpaper reloaded. The program calls it when it ends with a wallpaper on.
void RestoreDesktop();

// The full check's refresh of a wallpaper that is due: the picture is
// rendered again and shown, unless the graph window is on screen.
void RefreshWallpaper(ProgramState& state);

}  // namespace korvana::win
