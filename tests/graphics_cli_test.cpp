#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "graphics/bmp_file.h"
#include "graphics/picture.h"
#include "temp_folder.h"

namespace korvana::cli {
namespace {

using Command = int (*)(const Args&, std::ostream&, std::ostream&);

const Args kIstanbulAt15 = {"--lat",  "41.01",      "--lon",  "28.97", "--tz",
                            "3",      "--date",     "2014-06-21", "--time", "15:00"};

Args With(Args args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// ImageMagick's idea of a picture's size, "W H", or empty when identify is
// not on this machine.
std::string IdentifySize(const std::string& path) {
#ifdef _WIN32
  (void)path;
  return "";
#else
  const std::string command = "identify -quiet -format '%w %h' '" + path + "' 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "";
  char buffer[64] = {};
  const size_t got = std::fread(buffer, 1, sizeof buffer - 1, pipe);
  pclose(pipe);
  return std::string(buffer, got);
#endif
}

bool HaveIdentify() {
#ifdef _WIN32
  return false;
#else
  return std::system("identify -version > /dev/null 2>&1") == 0;
#endif
}

TEST(GraphicsCli, PicturesMapsAndGraphsAsBmpFiles) {
  const struct {
    const char* name;
    Command command;
    Args args;
    int width, height;
  } cases[] = {
      {"render_moon", RunRenderCommand, {"moon"}, 328, 328},
      {"render_earth", RunRenderCommand, {"earth"}, 800, 400},
      {"render_globe", RunRenderCommand, {"globe"}, 401, 400},
      {"map_prayer", RunMapCommand, {"prayer"}, 800, 400},
      {"map_qibla", RunMapCommand, {"qibla"}, 800, 400},
      {"map_declination", RunMapCommand, {"declination"}, 800, 400},
      {"graph_angles_default_size", RunGraphCommand, {"angles"}, 1024, 768},
      {"graph_trajectories_sized", RunGraphCommand, {"trajectories", "--size", "640x480"}, 640, 480},
      {"graph_annual_sized", RunGraphCommand, {"annual", "--size", "800x600"}, 800, 600},
  };
  testing::TempFolder folder;
  const bool identify = HaveIdentify();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File(std::string(c.name) + ".bmp");
    Args args = kIstanbulAt15;
    args.insert(args.end(), c.args.begin(), c.args.end());
    args = With(args, {"--out", path});
    std::ostringstream out, err;
    ASSERT_EQ(c.command(args, out, err), 0) << err.str();
    Image picture;
    ASSERT_TRUE(DecodeBmp24(ReadFile(path), &picture));
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    if (identify) {
      EXPECT_EQ(IdentifySize(path), std::to_string(c.width) + " " + std::to_string(c.height));
    }
  }
  RecordProperty("identify", identify ? "checked" : "not on this machine");
}

TEST(GraphicsCli, RenderWritesTheProgramsBytes) {
  testing::TempFolder folder;
  const std::string path = folder.File("moon.bmp");
  std::ostringstream out, err;
  ASSERT_EQ(RunRenderCommand(With(kIstanbulAt15, {"moon", "--out", path}), out, err), 0);
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  SetDate(s, 21, 6, 2014);
  SetTime(s, 15, 0);
  EXPECT_EQ(ReadFile(path), BuildPicture(kMoonPicture, s, 4101, nullptr, nullptr));
}

// The annual graph covers the whole year: with the settings' daylight
// saving (fixed, or the system's rules for each day) it is the same picture
// whichever date of that year is named.
TEST(GraphicsCli, AnnualGraphDoesNotDependOnTheDateNamed) {
#ifndef _WIN32
  // A zone with daylight saving, so that January and July differ.
  const char* const savedZone = std::getenv("TZ");
  const std::string saved = savedZone != nullptr ? savedZone : "";
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
#endif
  testing::TempFolder folder;
  const struct {
    const char* name;
    const char* ini;
  } cases[] = {
      {"fixed_daylight_saving",
       "[Calculation Parameters]\nLatitude=5250\nLongitude=1340\nTime Zone=60\nDLS=1\n"},
      {"system_rules",
       "[Calculation Parameters]\nLatitude=5250\nLongitude=1340\nTime Zone=60\nWindows DLS=1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string ini = folder.Write(std::string(c.name) + ".ini", c.ini);
    std::vector<std::vector<uint8_t>> pictures;
    for (const char* date : {"2014-01-15", "2014-07-15"}) {
      const std::string path = folder.File(std::string(c.name) + date + ".bmp");
      std::ostringstream out, err;
      ASSERT_EQ(RunGraphCommand({"annual", "--ini", ini, "--date", date, "--out", path}, out, err),
                0)
          << err.str();
      pictures.push_back(ReadFile(path));
    }
    ASSERT_FALSE(pictures[0].empty());
    EXPECT_TRUE(pictures[0] == pictures[1]);
  }
#ifndef _WIN32
  if (savedZone != nullptr) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
#endif
}

TEST(GraphicsCli, BadUsage) {
  testing::TempFolder folder;
  const std::string good = folder.File("x.bmp");
  const struct {
    const char* name;
    Command command;
    Args args;
    int status;
  } cases[] = {
      {"unknown_picture", RunRenderCommand, {"sun", "--out", good}, 2},
      {"no_out", RunRenderCommand, {"moon"}, 2},
      {"two_pictures", RunMapCommand, {"qibla", "prayer", "--out", good}, 2},
      {"size_on_a_map", RunMapCommand, {"qibla", "--size", "10x10", "--out", good}, 2},
      {"bad_size", RunGraphCommand, {"angles", "--size", "0x768", "--out", good}, 2},
      {"size_without_height", RunGraphCommand, {"angles", "--size", "1024", "--out", good}, 2},
      {"unknown_graph", RunGraphCommand, {"maps", "--out", good}, 2},
      {"unwritable_file", RunGraphCommand, {"angles", "--out", folder.File("no/such/x.bmp")}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream out, err;
    Args args = kIstanbulAt15;
    args.insert(args.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(c.command(args, out, err), c.status);
    EXPECT_FALSE(err.str().empty());
  }
}

}  // namespace
}  // namespace korvana::cli
