#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/picture.h"
#include "graphics/wallpaper.h"
#include "platform/desktop.h"
#include "temp_folder.h"

namespace korvana {
namespace {

// Notes every step the wallpaper choice asks of the platform, in order.
class RecordingHost : public WallpaperHost {
 public:
  void CheckMenuItem(int id, bool checked) override {
    steps.push_back((checked ? "check " : "uncheck ") + std::to_string(id));
  }
  void WriteWallSetting(int mode) override { steps.push_back("Wall " + std::to_string(mode)); }
  void SaveDesktop() override { steps.push_back("save"); }
  void RestoreDesktop() override { steps.push_back("restore"); }
  void RefreshWallpaper() override { steps.push_back("render"); }
  std::vector<std::string> steps;
};

TEST(Wallpaper, ChooseWallpaper) {
  using Steps = std::vector<std::string>;
  const Steps uncheckAll = {"uncheck 1046", "uncheck 1047", "uncheck 1048"};
  auto then = [&](Steps more) {
    Steps all = uncheckAll;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  const struct {
    const char* name;
    int32_t modeBefore;
    int kind;
    int32_t modeAfter;
    Steps steps;
  } cases[] = {
      {"the first choice saves the desktop before rendering", 0, 1, 1,
       then({"save", "check 1046", "Wall 1", "render"})},
      {"Globe from off", 0, 3, 3, then({"save", "check 1048", "Wall 3", "render"})},
      {"another picture keeps the desktop saved before the first", 1, 2, 2,
       then({"check 1047", "Wall 2", "render"})},
      {"the checked picture again switches the wallpaper off", 1, 1, 0,
       then({"Wall 0", "restore"})},
      {"Earth again while Earth is on", 2, 2, 0, then({"Wall 0", "restore"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    int32_t mode = c.modeBefore;
    ChooseWallpaper(mode, c.kind, host);
    EXPECT_EQ(mode, c.modeAfter);
    EXPECT_EQ(host.steps, c.steps);
  }
}

class FakeDesktop : public Desktop {
 public:
  void SetBackgroundColour(int red, int green, int blue) override {
    colours.push_back(red * 65536 + green * 256 + blue);
  }
  void ShowAsWallpaper(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    shown.push_back(path);
    shownBytes = std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<int> colours;
  std::vector<std::string> shown;
  std::vector<uint8_t> shownBytes;
};

TEST(Wallpaper, RefreshGoesByTheEnginesUniversalMinute) {
  // 2000-01-02 01:00 at UTC+1 is universal minute 1 x 1440 + 60 - 60 = 1440.
  const struct {
    const char* name;
    int32_t mode;
    int latitude;  // hundredths of a degree
    bool graphVisible;
    int result;
    int32_t nextRefresh;
  } cases[] = {
      {"moon: due again in 60 minutes", kMoonPicture, 4101, false, 1, 1500},
      {"moon of the southern hemisphere", kMoonPicture, -3387, false, 1, 1500},
      {"earth: due again in 5 minutes", kEarthPicture, 4101, false, 1, 1445},
      {"globe: due again in 5 minutes", kGlobePicture, 4101, false, 1, 1445},
      {"graph window on screen: nothing happens", kGlobePicture, 4101, true, 0, 77},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    ProgramState state;
    state.calc.latitude = c.latitude;
    SetLocation(state.astro, static_cast<int16_t>(c.latitude), 1000, 60);
    SetDate(state.astro, 2, 1, 2000);
    SetTime(state.astro, 1, 0);
    state.WallpaperMode = c.mode;
    state.NextWallpaperRefresh = 77;
    AstroState copy = state.astro;
    FakeDesktop desktop;
    EXPECT_EQ(RefreshWallpaperPicture(state, folder.File(""), c.graphVisible, &desktop), c.result);
    EXPECT_EQ(state.NextWallpaperRefresh, c.nextRefresh);
    if (c.result == 0) {
      EXPECT_TRUE(desktop.colours.empty());
      EXPECT_TRUE(desktop.shown.empty());
      continue;
    }
    ASSERT_EQ(desktop.shown, std::vector<std::string>{folder.File("wall.bmp")});
    EXPECT_EQ(desktop.shownBytes, BuildPicture(c.mode, copy, c.latitude, nullptr, nullptr));
  }
}

}  // namespace
}  // namespace korvana
