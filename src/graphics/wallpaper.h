#pragma once
// The desktop wallpaper of the "Wallpaper" submenu (Moon, Earth, Globe):
// choosing it, switching it off again, and its periodic re-rendering. The
// steps are decided here; the Windows side carries them out on the menu,
// the INI file, the system colours and the registry.

#include <cstdint>
#include <optional>
#include <string>

#include "graphics/canvas.h"
#include "platform/desktop.h"
#include "shell/program_state.h"

namespace korvana {

// The first of the three menu items; item 1045 + kind belongs to kind 1..3.
inline constexpr int kWallpaperMoonItem = 1046;

// What the program keeps of the desktop before its first wallpaper, to put
// it back when the wallpaper is switched off or the program ends.
struct SavedDesktop {
  Rgb backgroundColour;
  // The strings of "TileWallpaper" and "WallPaperStyle" under
  // "Control Panel\desktop"; empty when the value did not exist, so that
  // putting them back removes the value instead of inventing one.
  std::optional<std::string> tileWallpaper;
  std::optional<std::string> wallPaperStyle;
};

// The platform's part of choosing a wallpaper.
class WallpaperHost {
 public:
  virtual ~WallpaperHost() = default;
  virtual void CheckMenuItem(int id, bool checked) = 0;
  // The "Wall" key of the "Options" section: mode 0..3.
  virtual void WriteWallSetting(int mode) = 0;
  // Takes SavedDesktop from the desktop as it is now.
  virtual void SaveDesktop() = 0;
  // The saved background colour back, and the user's own wallpaper reloaded.
  virtual void RestoreDesktop() = 0;
  // Renders the picture of the current mode and makes it the wallpaper.
  virtual void RefreshWallpaper() = 0;
};

// The handler of the Wallpaper items, kind 1 Moon, 2 Earth, 3 Globe.
// Choosing the kind already on switches the wallpaper off; switching from
// one kind to another keeps what was saved before the first.
void ChooseWallpaper(int32_t& wallpaperMode, int kind, WallpaperHost& host);

// RenderPicture in refresh mode with the program's values: the picture of
// state.WallpaperMode for the engine's date and minute, written as
// "wall.bmp" into `folder` (ending in a separator) and handed to `desktop`.
// Moves state.NextWallpaperRefresh on by the kind's period; changes nothing
// while the graph window is visible. Returns RenderPicture's 1 or 0.
int RefreshWallpaperPicture(ProgramState& state, const std::string& folder,
                            bool graphWindowVisible, Desktop* desktop);

}  // namespace korvana
