#include "cli/graphics_cli.h"

#include <cstdio>
#include <ctime>
#include <ostream>

#include "cli/cli_settings.h"
#include "cli/cli_settings.h"
#include "settings/decimal_text.h"

namespace korvana::cli {

namespace {

constexpr int kLargestSide = 16384;  // pixels

int MinutesNowOnLocalClock() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return local->tm_hour * 60 + local->tm_min;
}

bool ParseSize(const std::string& text, int* width, int* height) {
  int w = 0, h = 0;
  char extra = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &extra) != 2) return false;
  if (w < 1 || h < 1 || w > kLargestSide || h > kLargestSide) return false;
  *width = w;
  *height = h;
  return true;
}

}  // namespace

bool ParseGraphicsArgs(const char* command, const Args& args, bool withSize, GraphicsArgs* parsed,
                       std::ostream& err) {
  // The options of this family are taken out first; the rest are the
  // location options every command shares.
  Args rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool ours = word == "--out" || word == "--sight-altitude" || (withSize && word == "--size");
    if (!ours) {
      rest.push_back(word);
      continue;
    }
    if (i + 1 >= args.size()) {
      err << "korvana-cli " << command << ": option " << word << " needs a value\n";
      return false;
    }
    const std::string& value = args[++i];
    bool good = true;
    if (word == "--out") {
      parsed->outPath = value;
      good = !value.empty();
    } else if (word == "--size") {
      good = ParseSize(value, &parsed->width, &parsed->height);
    } else {
      int32_t metres = 0;
      good = ParseWholeNumber(value, 0, 32767, &metres);
      parsed->sightAltitude = metres;
    }
    if (!good) {
      err << "korvana-cli " << command << ": bad value for " << word << ": '" << value << "'\n";
      return false;
    }
  }
  std::set<std::string> allowed = kLocationOptions;
  allowed.insert(kSettingsOptions.begin(), kSettingsOptions.end());
  allowed.insert("time");
  std::string error;
  if (!ParseCliOptions(rest, allowed, &parsed->options, &error)) {
    err << "korvana-cli " << command << ": " << error << "\n";
    return false;
  }
  if (FillOptionsFromSettings(parsed->options, command, err, &parsed->settings) != 0) return false;
  if (parsed->options.positional.size() != 1) {
    err << "korvana-cli " << command << ": name one picture (try --help)\n";
    return false;
  }
  parsed->kind = parsed->options.positional.front();
  if (parsed->outPath.empty()) {
    err << "korvana-cli " << command << ": --out FILE is required\n";
    return false;
  }
  return true;
}

AstroState StateForOptions(const CliOptions& options) {
  const CivilDate date = options.date.value_or(TodayOnLocalClock());
  const int minutes = options.clockMinutes.value_or(MinutesNowOnLocalClock());
  AstroState state;
  SetLocation(state, static_cast<int16_t>(options.latitude.value_or(0)),
              static_cast<int16_t>(options.longitude.value_or(0)),
              static_cast<int16_t>(options.timeZone.value_or(0)));
  SetCalcParams(state, static_cast<int16_t>(options.fajrAngle.value_or(-1800)),
                static_cast<int16_t>(options.ishaAngle.value_or(-1700)),
                static_cast<int16_t>(options.mode.value_or(4)));
  SetDate(state, static_cast<int16_t>(date.day), static_cast<int16_t>(date.month),
          static_cast<int16_t>(date.year));
  SetTime(state, static_cast<int16_t>(minutes / 60), static_cast<int16_t>(minutes % 60));
  return state;
}

bool WriteOutputFile(const char* command, const std::string& path,
                     const std::vector<uint8_t>& bytes, std::ostream& err) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    err << "korvana-cli " << command << ": cannot write " << path << "\n";
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    err << "korvana-cli " << command << ": cannot write " << path << "\n";
    std::remove(path.c_str());
    return false;
  }
  return true;
}

}  // namespace korvana::cli
