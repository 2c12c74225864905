#include "graphics/wallpaper.h"

#include "graphics/picture.h"
#include "shell/scheduler.h"

namespace korvana {

void ChooseWallpaper(int32_t& wallpaperMode, int kind, WallpaperHost& host) {
  for (int item = kWallpaperMoonItem; item < kWallpaperMoonItem + 3; ++item) {
    host.CheckMenuItem(item, false);
  }
  if (kind == wallpaperMode) {
    wallpaperMode = kNoPicture;
    host.WriteWallSetting(kNoPicture);
    host.RestoreDesktop();
    return;
  }
  // Only the desktop from before the first wallpaper is worth keeping.
  if (wallpaperMode == kNoPicture) host.SaveDesktop();
  wallpaperMode = kind;
  host.CheckMenuItem(kWallpaperMoonItem - 1 + kind, true);
  host.WriteWallSetting(kind);
  host.RefreshWallpaper();
}

int RefreshWallpaperPicture(ProgramState& state, const std::string& folder,
                            bool graphWindowVisible, Desktop* desktop) {
  WallpaperClock clock;
  clock.WallpaperMode = state.WallpaperMode;
  clock.NextWallpaperRefresh = state.NextWallpaperRefresh;
  clock.UniversalMinuteCount = UniversalMinuteCount(state.astro);
  PictureJob job;
  job.state = &state.astro;
  job.latitude = state.calc.latitude;
  job.folder = folder;
  job.wallpaper = &clock;
  job.graphWindowVisible = graphWindowVisible;
  job.desktop = desktop;
  const int rendered = RenderPicture(kNoPicture, job);
  state.NextWallpaperRefresh = clock.NextWallpaperRefresh;
  return rendered;
}

}  // namespace korvana
