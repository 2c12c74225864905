#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/moon.h"
#include "graphics/picture.h"
#include "graphics/recording_canvas.h"
#include "graphics_fixtures.h"
#include "platform/desktop.h"
#include "temp_folder.h"

namespace korvana {
namespace {

using testing::MakeEarthDib;
using testing::MakeMoonDib;

// How far outside the globe's disc (as a fraction of the picture's width) a
// pixel must lie to be checked as black.
constexpr double kGlobeEdgeTolerance = 1e-9;

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }

struct Bgr {
  int blue, green, red;
  friend bool operator==(const Bgr&, const Bgr&) = default;
};
std::ostream& operator<<(std::ostream& os, const Bgr& p) {
  return os << "(b" << p.blue << " g" << p.green << " r" << p.red << ")";
}

// Pixel x of stored row r of a 24-bit picture file.
Bgr PixelAt(const std::vector<uint8_t>& file, int x, int row) {
  const int width = static_cast<int>(Le32(file, 18));
  const size_t rowBytes = (width * 3 + 3) / 4 * 4;
  const size_t at = 54 + row * rowBytes + 3 * x;
  return {file[at], file[at + 1], file[at + 2]};
}

AstroState StateAt(int16_t lat, int16_t lon, int16_t tz, int16_t day, int16_t month,
                   int16_t year, int16_t hour, int16_t minute) {
  AstroState s;
  SetLocation(s, lat, lon, tz);
  SetDate(s, day, month, year);
  SetTime(s, hour, minute);
  return s;
}

TEST(Picture, FileHeaders) {
  const struct {
    const char* name;
    int kind;
    uint32_t width, height, rowBytes, resolution, coloursUsed;
  } cases[] = {
      {"moon", kMoonPicture, 328, 328, 984, 0, 16},
      {"earth", kEarthPicture, 800, 400, 2400, 3937, 2},
      {"globe", kGlobePicture, 401, 400, 1204, 3937, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
    const std::vector<uint8_t> f = BuildPicture(c.kind, s, 4101, nullptr, nullptr);
    ASSERT_EQ(f.size(), 54 + c.rowBytes * c.height);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Le32(f, 2), 0u) << "file size";
    EXPECT_EQ(Le32(f, 6), 0u) << "reserved";
    EXPECT_EQ(Le32(f, 10), 54u) << "pixel offset";
    EXPECT_EQ(Le32(f, 14), 40u) << "header size";
    EXPECT_EQ(Le32(f, 18), c.width);
    EXPECT_EQ(Le32(f, 22), c.height);
    EXPECT_EQ(Le16(f, 26), 1u) << "planes";
    EXPECT_EQ(Le16(f, 28), 24u) << "bits per pixel";
    EXPECT_EQ(Le32(f, 30), 0u) << "compression";
    EXPECT_EQ(Le32(f, 34), 0u) << "image size";
    EXPECT_EQ(Le32(f, 38), c.resolution);
    EXPECT_EQ(Le32(f, 42), c.resolution);
    EXPECT_EQ(Le32(f, 46), c.coloursUsed);
    EXPECT_EQ(Le32(f, 50), 0u) << "important colours";
  }
}

// A moon of one colour, entry 12 (252, 254, 252), so that every written
// pixel is that colour times the brightness factor.
const std::vector<uint8_t>& PlainMoon() {
  static const std::vector<uint8_t> dib = MakeMoonDib([](int, int) { return 12; });
  return dib;
}

Bgr Scaled(double k) {
  return {static_cast<int>(252 * k), static_cast<int>(254 * k), static_cast<int>(252 * k)};
}

TEST(Picture, MoonPhaseColumnsOnTheMiddleRow) {
  // Row 164 is the moon's equator: the half-chord is 1 and the terminator
  // column is (1 + cos(2 pi f)) * 164 - 1.
  const Bgr lit = Scaled(1);
  const Bgr newEarthshine = Scaled(0.125);   // cos(0)^2 / 8
  const Bgr halfEarthshine = Scaled(0.0625);  // cos(pi/4)^2 / 8
  const struct {
    const char* name;
    int phase;
    bool south;
    int firstLit, lastLit;    // columns expected fully lit (-1: none)
    int firstDark, lastDark;  // columns expected at earthshine (-1: none)
    Bgr dark;
  } cases[] = {
      {"new_moon_nearly_all_dark", 0, false, -1, -1, 0, 323, newEarthshine},
      {"full_moon_lit_to_the_left_edge", 1800, false, 2, 327, -1, -1, lit},
      {"first_quarter_right_half_lit", 900, false, 166, 327, 0, 159, halfEarthshine},
      {"first_quarter_south_left_half_lit", 900, true, 0, 159, 167, 327, halfEarthshine},
      {"last_quarter_left_half_lit", 2700, false, 0, 160, 167, 327, halfEarthshine},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> f = BuildMoonPicture(c.phase, c.south, PlainMoon().data());
    if (c.firstLit >= 0) {
      for (int x = c.firstLit; x <= c.lastLit; ++x) ASSERT_EQ(PixelAt(f, x, 164), lit) << x;
    }
    if (c.firstDark >= 0) {
      for (int x = c.firstDark; x <= c.lastDark; ++x) ASSERT_EQ(PixelAt(f, x, 164), c.dark) << x;
    }
  }
}

TEST(Picture, MoonEdgeSoftenedOverSixPixels) {
  // First quarter: the terminator column is 163 (164 - 1 plus a rounding
  // hair), d = trunc(163 - x); d = 3 .. -2 lie on the soft edge.
  const std::vector<uint8_t> f = BuildMoonPicture(900, false, PlainMoon().data());
  const double e = 0.0625;
  for (int d = 3; d >= -2; --d) {
    const int x = 163 - d;
    EXPECT_EQ(PixelAt(f, x, 164), Scaled((5 * e + 4 - d) / (d + 9))) << "d " << d;
  }
}

TEST(Picture, SouthernMoonIsTurnedHalfAround) {
  // One mark of entry 4 (244, 246, 244) at column 10 of storage row 164.
  const std::vector<uint8_t> dib =
      MakeMoonDib([](int x, int row) { return x == 10 && row == 164 ? 4 : 12; });
  const Bgr mark = {244, 246, 244};
  const std::vector<uint8_t> north = BuildMoonPicture(1800, false, dib.data());
  const std::vector<uint8_t> south = BuildMoonPicture(1800, true, dib.data());
  EXPECT_EQ(PixelAt(north, 10, 164), mark);
  EXPECT_EQ(PixelAt(south, 317, 163), mark);
  EXPECT_NE(PixelAt(south, 10, 164), mark);
}

TEST(Picture, LatitudeZeroIsDrawnAsNorth) {
  const AstroState base = StateAt(0, 0, 0, 10, 6, 2014, 22, 0);
  AstroState a = base, b = base, c = base;
  const std::vector<uint8_t> equator = BuildPicture(kMoonPicture, a, 0, nullptr, nullptr);
  EXPECT_EQ(equator, BuildPicture(kMoonPicture, b, 1, nullptr, nullptr));
  EXPECT_NE(equator, BuildPicture(kMoonPicture, c, -1, nullptr, nullptr));
}

TEST(Picture, EarthDayTwilightAndNightColours) {
  // Land in the western half. At 12:00 UT on the March equinox the sun
  // stands near longitude 0: longitude -9 is day, -171 night.
  const std::vector<uint8_t> dib = MakeEarthDib(800, 400, [](int x, int) { return x < 400; });
  AstroState s = StateAt(0, 0, 0, 20, 3, 2014, 12, 0);
  const std::vector<uint8_t> f = BuildPicture(kEarthPicture, s, 0, nullptr, dib.data());
  const struct {
    const char* name;
    int x;
    Bgr expected;
  } cases[] = {
      {"day_land", 380, {0, 160, 255}},
      {"day_sea", 420, {255, 0, 0}},
      {"night_land", 20, {0, 40, 63}},
      {"night_sea", 780, {63, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(PixelAt(f, c.x, 200), c.expected) << c.name;
  // Between day and night the colours fade: somewhere on the equator a
  // twilight pixel lies strictly between the two.
  int twilight = 0;
  for (int x = 0; x < 800; ++x) {
    const Bgr p = PixelAt(f, x, 200);
    if ((p.red > 63 && p.red < 255) || (p.blue > 63 && p.blue < 255)) ++twilight;
  }
  EXPECT_GT(twilight, 0);
}

TEST(Picture, GlobeIsBlackOutsideTheDiscAndItsRowsArePadded) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  const std::vector<uint8_t> f = BuildPicture(kGlobePicture, s, 4101, nullptr, nullptr);
  ASSERT_EQ(f.size(), 54u + 1204u * 400u);
  const Bgr black = {0, 0, 0};
  for (int r = 0; r < 400; ++r) {
    const double y = 2.0 * r / 400 - 1;
    const double halfWidth = std::sqrt(1 - y * y);
    EXPECT_EQ(f[54 + r * 1204 + 1203], 0) << "padding of row " << r;
    for (int x = 0; x < 401; ++x) {
      const double e = std::fabs(x / 401.0 - 0.5);
      if (e > 0.5 * halfWidth + kGlobeEdgeTolerance) {
        ASSERT_EQ(PixelAt(f, x, r), black) << x << ", " << r;
      } else if (e < 0.5 * halfWidth - 0.01) {
        ASSERT_NE(PixelAt(f, x, r), black) << x << ", " << r;
      }
    }
  }
}

TEST(Picture, GlobeColumnsStayInsideTheMaskForAnyZone) {
  // Land on the even rows of the mask only: a column read outside its row
  // would show the parity of the row beside it. A zone a day west puts the
  // globe's centre column below a quarter turn, so some columns start out
  // negative and must wrap.
  const std::vector<uint8_t> dib = MakeEarthDib(800, 400, [](int, int row) { return row % 2 == 0; });
  AstroState s = StateAt(0, 0, -1500, 21, 6, 2014, 23, 59);
  const std::vector<uint8_t> f = BuildPicture(kGlobePicture, s, 0, nullptr, dib.data());
  int inside = 0;
  for (int r = 0; r < 400; ++r) {
    const double y = 2.0 * r / 400 - 1;
    const int sourceRow = static_cast<int>((std::asin(y) / 3.141592653589793 + 0.5) * 400);
    for (int x = 0; x < 401; ++x) {
      const Bgr p = PixelAt(f, x, r);
      if (p == Bgr{0, 0, 0}) continue;
      ASSERT_EQ(p.red > 0, sourceRow % 2 == 0) << "land at " << x << ", " << r;
      ++inside;
    }
  }
  EXPECT_GT(inside, 100000);
}

TEST(Picture, ViewsCentredOnTheGraphWindow) {
  const struct {
    const char* name;
    int kind;
    int x, y, width, height;
  } cases[] = {
      {"moon_square_of_two_thirds", kMoonPicture, 256, 128, 512, 512},
      {"earth_whole_screen", kEarthPicture, 0, 0, 1024, 768},
      {"globe_square_of_two_thirds", kGlobePicture, 256, 128, 512, 512},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
    RecordingCanvas canvas(1024, 768);
    ASSERT_TRUE(DrawPictureView(canvas, c.kind, BuildPicture(c.kind, s, 4101, nullptr, nullptr)));
    ASSERT_EQ(canvas.Calls().size(), 1u);
    const DrawCall& call = canvas.Calls()[0];
    EXPECT_EQ((std::vector<int>{call.x, call.y, call.a, call.b}),
              (std::vector<int>{c.x, c.y, c.width, c.height}));
  }
  RecordingCanvas canvas(1024, 768);
  EXPECT_FALSE(DrawPictureView(canvas, kMoonPicture, {}));
  EXPECT_TRUE(canvas.Calls().empty()) << "no picture: the canvas stays as it was";
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

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(Picture, RenderForAViewWritesWallBmp) {
  testing::TempFolder folder;
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  AstroState copy = s;
  FakeDesktop desktop;
  PictureJob job;
  job.state = &s;
  job.latitude = 4101;
  job.folder = folder.File("");
  job.desktop = &desktop;
  EXPECT_EQ(RenderPicture(kGlobePicture, job), 1);
  EXPECT_EQ(ReadFile(folder.File("wall.bmp")),
            BuildPicture(kGlobePicture, copy, 4101, nullptr, nullptr));
  EXPECT_EQ(desktop.colours, std::vector<int>{0}) << "a view blackens the desktop too";
  EXPECT_TRUE(desktop.shown.empty());
}

TEST(Picture, RefreshModeMakesTheWallpaper) {
  const struct {
    const char* name;
    int mode;
    bool graphVisible;
    bool folderWritable;
    int result;
    int32_t nextRefresh;
    size_t wallpapers;
  } cases[] = {
      {"moon_every_hour", kMoonPicture, false, true, 1, 1000 + 60, 1},
      {"earth_every_five_minutes", kEarthPicture, false, true, 1, 1000 + 5, 1},
      {"skipped_while_the_graph_window_shows", kEarthPicture, true, true, 0, 7, 0},
      {"unwritable_file_still_moves_the_clock", kGlobePicture, false, false, 0, 1000 + 5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
    AstroState copy = s;
    WallpaperClock clock{c.mode, 7, 1000};
    FakeDesktop desktop;
    PictureJob job;
    job.state = &s;
    job.latitude = 4101;
    job.folder = c.folderWritable ? folder.File("") : folder.File("missing/");
    job.wallpaper = &clock;
    job.graphWindowVisible = c.graphVisible;
    job.desktop = &desktop;
    EXPECT_EQ(RenderPicture(kNoPicture, job), c.result);
    EXPECT_EQ(clock.NextWallpaperRefresh, c.nextRefresh);
    ASSERT_EQ(desktop.shown.size(), c.wallpapers);
    if (c.wallpapers > 0) {
      EXPECT_EQ(desktop.shown[0], folder.File("wall.bmp"));
      EXPECT_EQ(desktop.shownBytes, BuildPicture(c.mode, copy, 4101, nullptr, nullptr));
    }
    EXPECT_EQ(desktop.colours.empty(), c.graphVisible);
  }
}

}  // namespace
}  // namespace korvana
