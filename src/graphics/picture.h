#pragma once
// The moon, earth and globe pictures of the present moment, written as the
// 24-bit "wall.bmp" that the graph window's views show and the wallpaper uses.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/astro_state.h"
#include "graphics/canvas.h"

namespace korvana {

class Desktop;

// Picture kinds; also the values of WallpaperMode.
enum PictureKind : int {
  kNoPicture = 0,  // RenderPicture: refresh the wallpaper of WallpaperMode
  kMoonPicture = 1,
  kEarthPicture = 2,
  kGlobePicture = 3,
};

inline constexpr char kPictureFileName[] = "wall.bmp";

// Minutes between two wallpaper renderings of a kind.
inline constexpr int32_t kMoonRefreshMinutes = 60;
inline constexpr int32_t kEarthRefreshMinutes = 5;

// The wallpaper's choice and its refresh clock, kept by the program.
struct WallpaperClock {
  int WallpaperMode = kNoPicture;
  int32_t NextWallpaperRefresh = 0;  // universal minutes (day x 1440 + minute - zone)
  int32_t UniversalMinuteCount = 0;  // universal minutes, now
};

// Everything RenderPicture works with.
struct PictureJob {
  AstroState* state = nullptr;  // date, clock minute and location of the picture
  int latitude = 0;             // the Latitude setting, hundredths of a degree; only its sign counts
  const uint8_t* moonBitmap = nullptr;   // `_moon_` as a DIB; null: the embedded one
  const uint8_t* earthBitmap = nullptr;  // `_earth_` as a DIB; null: the embedded one
  std::string folder;  // where "wall.bmp" goes, ending in a separator; empty: current folder
  WallpaperClock* wallpaper = nullptr;  // needed by the refresh mode
  bool graphWindowVisible = false;
  Desktop* desktop = nullptr;  // may be null: no desktop colour, no wallpaper
};

// The bytes of "wall.bmp" for picture `kind` (1..3): the moon with its phase
// for the state's date and clock minute, or the earth or globe with the day
// and night of that minute. `latitude` in hundredths of a degree (the moon
// is turned by 180 degrees for southern latitudes). Moves the engine's
// evaluation time to its clock minute.
std::vector<uint8_t> BuildPicture(int kind, AstroState& state, int latitude,
                                  const uint8_t* moonBitmap, const uint8_t* earthBitmap);

// The moon picture for a phase in tenths of a degree (0 new moon, 1800 full
// moon), turned by 180 degrees when `south`.
std::vector<uint8_t> BuildMoonPicture(int phaseTenths, bool south, const uint8_t* moonBitmap);

// The graph window's view of a rendered picture (the bytes of "wall.bmp"):
// the earth stretched over the whole canvas, the moon and the globe as a
// centred square of side 2/3 of the canvas's smaller side. A picture that
// cannot be read leaves the canvas as it is. Returns whether it drew.
bool DrawPictureView(Canvas& canvas, int kind, const std::vector<uint8_t>& pictureFile);

// Renders picture `kind` (1..3) into "wall.bmp" for a view, or with kind 0
// the wallpaper's picture, which then becomes the wallpaper. Returns 1 on
// success, 0 when the graph window is visible in refresh mode or the file
// cannot be written.
int RenderPicture(int kind, PictureJob& job);

}  // namespace korvana
