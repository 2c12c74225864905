#pragma once
// The desktop the wallpaper pictures go to. The Windows program carries these
// steps out with the system colour COLOR_BACKGROUND, the values under
// "Control Panel\desktop" and SPI_SETDESKWALLPAPER; the console front end
// has no desktop and passes none.

#include <string>

namespace korvana {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // The desktop's background colour, each channel 0..255.
  virtual void SetBackgroundColour(int red, int green, int blue) = 0;
  // Makes the picture file at `path` the centred, untiled wallpaper, waits
  // 500 ms, deletes the file and writes back the saved desktop strings.
  virtual void ShowAsWallpaper(const std::string& path) = 0;
};

}  // namespace korvana
