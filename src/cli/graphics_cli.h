#pragma once
// What the render, map and graph commands share: their extra options, the
// engine set up for the moment asked for, and writing the picture file.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "engine/astro_state.h"
#include "settings/schema.h"

namespace korvana::cli {

struct GraphicsArgs {
  CliOptions options;     // location, --date, --time and the calculation options
  std::string kind;       // the one positional word: moon, prayer, angles, ...
  std::string outPath;    // --out FILE
  int width = 1024;       // --size WxH
  int height = 768;
  int sightAltitude = 0;  // --sight-altitude METRES
  CalcParams settings;    // the place and zone keys as resolved, options applied
};

// Parses `args` of `command`; `withSize` accepts --size. Reports problems
// on `err` and returns false.
bool ParseGraphicsArgs(const char* command, const Args& args, bool withSize, GraphicsArgs* parsed,
                       std::ostream& err);

// An engine at the options' location, parameters, date (default today) and
// clock time (default now on this computer's clock).
AstroState StateForOptions(const CliOptions& options);

// Writes `bytes` to `path`; reports a failure on `err`.
bool WriteOutputFile(const char* command, const std::string& path,
                     const std::vector<uint8_t>& bytes, std::ostream& err);

}  // namespace korvana::cli
