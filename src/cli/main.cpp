// korvana-cli: the console front end. It shows what the engine and the file
// writers do, reading the same settings as the tray program.

#include <cstring>
#include <iostream>
#include <string>

#include "cli/commands.h"

namespace {

using korvana::cli::Args;

struct Command {
  const char* name;
  int (*run)(const Args&, std::ostream&, std::ostream&);
};

const Command kCommands[] = {
    {"times", korvana::cli::RunTimesCommand},
    {"report", korvana::cli::RunReportCommand},
    {"now", korvana::cli::RunNowCommand},
    {"render", korvana::cli::RunRenderCommand},
    {"map", korvana::cli::RunMapCommand},
    {"graph", korvana::cli::RunGraphCommand},
    {"astro", korvana::cli::RunAstroCommand},
    {"hijri", korvana::cli::RunHijriCommand},
    {"nettime", korvana::cli::RunNetTimeCommand},
    {"mp3towav", korvana::cli::RunMp3ToWavCommand},
};

const char kHelp[] =
    "Usage: korvana-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  times    the ten timings of a day, one per line: NAME HH:MM\n"
    "  report month|year|holydays [--date D] [--out FILE]\n"
    "           writes the monthly timetable (with the sun and moon azimuth\n"
    "           tables), the yearly timetable or the holy days of the year of\n"
    "           --date, as the tray program writes them (CR LF, Windows-1252),\n"
    "           to FILE (default korvana.txt beside this program); prints the\n"
    "           file's path\n"
    "  now      the tray tip at --date and --time HH:MM (default: now), \"Time\n"
    "           remained to NAME =  H:MM\" (with the settings file's Show All\n"
    "           Remaining Times and Use Asr-II), then the progress bar as\n"
    "           PASSED/SPAN minutes of the day (FAJR to MAGHRIB) or night\n"
    "  render moon|earth|globe --out FILE\n"
    "           the moon with its phase, or the earth or globe with day and night,\n"
    "           at --date and --time (default: now), as a 24-bit BMP file\n"
    "  map prayer|qibla|declination --out FILE [--sight-altitude METRES]\n"
    "           an 800 x 400 world map as a 24-bit BMP file; the observer (--lat,\n"
    "           --lon) is the red pixel\n"
    "  graph angles|trajectories|annual --out FILE [--size WxH] [--sight-altitude M]\n"
    "           a drawing of the graph window (default 1024x768) as a 24-bit BMP\n"
    "           file; the annual graph uses --tz all year\n"
    "  astro    sun, qibla, compass drift and moon at a moment, as the Timing\n"
    "           dialog shows them: one row per line (label, value), then the\n"
    "           moon's visibility or eclipse line; --time HH:MM sets the local\n"
    "           clock time (default: now)\n"
    "  hijri    the Hijri date of --date as DAY MONTH YEAR, then the holy day\n"
    "           or night the date carries, if any (takes --date only)\n"
    "  nettime [--set] [--ini FILE] [--port N]\n"
    "           asks the time servers of the INI file's \"Time Servers\" section and\n"
    "           prints the server's and this computer's time and the drift; --set\n"
    "           corrects the clock; --port asks another UDP port than 37\n"
    "  mp3towav IN.mp3 OUT.wav\n"
    "           wraps an MP3 file into a WAV file the system's sound player plays\n"
    "\n"
    "Location and calculation options:\n"
    "  --lat DEG          latitude in decimal degrees, north positive (default 0)\n"
    "  --lon DEG          longitude in decimal degrees, east positive (default 0)\n"
    "  --tz HOURS         hours east of UTC, daylight saving included, e.g. 3 or -4.5\n"
    "                     (default 0)\n"
    "  --date YYYY-MM-DD  the date, 1901..2099 (default: today)\n"
    "  --mode N           calculation mode 0..5 (default 4):\n"
    "                       0 = Pure Astronomical\n"
    "                       1 = Safety margin added\n"
    "                       2 = 1 + Shortest day/night is 3 hours\n"
    "                       3 = 1 + 2 + Latest Isha at 1/2 of night\n"
    "                       4 = 1 + 2 + Latest Isha at 1/3 of night\n"
    "                       5 = 1 + 2 + Isha depends on sunset (sunset + isha margin)\n"
    "  --fajr-angle DEG   sun altitude that defines FAJR (default -18)\n"
    "  --isha-angle DEG   sun altitude that defines ISHA (default -17)\n"
    "\n"
    "Settings (times, report, now, astro, render, map, graph): the defaults above\n"
    "are those of the settings file, whose location, zone, daylight saving,\n"
    "margins (times, report, now), angles and mode are taken first; a place of\n"
    "the city list replaces the location; then the options above override both\n"
    "for the run (--tz also replaces the daylight saving):\n"
    "  --ini FILE         the settings file (default korvana.ini beside this program)\n"
    "  --city NAME        the place of that name in the city list (any case); when\n"
    "                     several places share it they are listed (exit status 2)\n"
    "  --city-row N       row N of the city list (beyond its end: the last row)\n"
    "  --city-list FILE   the city list (default korvana.csv beside this program)\n"
    "\n"
    "  --help             this text\n"
    "\n"
    "Exit status: 0 done, 1 the command failed, 2 bad usage.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
      std::strcmp(argv[1], "help") == 0) {
    std::cout << kHelp;
    return argc < 2 ? 2 : 0;
  }
  const std::string name = argv[1];
  Args args(argv + 2, argv + argc);
  for (const std::string& arg : args) {
    if (arg == "--help") {
      std::cout << kHelp;
      return 0;
    }
  }
  for (const Command& command : kCommands) {
    if (name == command.name) return command.run(args, std::cout, std::cerr);
  }
  std::cerr << "korvana-cli: unknown command '" << name << "' (try --help)\n";
  return 2;
}
