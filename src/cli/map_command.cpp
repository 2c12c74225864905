#include <ostream>

#include "cli/commands.h"
#include "cli/graphics_cli.h"
#include "graphics/bmp_file.h"
#include "graphics/world_map.h"

namespace korvana::cli {

int RunMapCommand(const Args& args, std::ostream& out, std::ostream& err) {
  GraphicsArgs parsed;
  if (!ParseGraphicsArgs("map", args, false, &parsed, err)) return 2;
  int kind = 0;
  if (parsed.kind == "prayer") kind = kPrayerMap;
  if (parsed.kind == "qibla") kind = kQiblaMap;
  if (parsed.kind == "declination") kind = kDeclinationMap;
  if (kind == 0) {
    err << "korvana-cli map: unknown map '" << parsed.kind
        << "' (prayer, qibla or declination)\n";
    return 2;
  }
  AstroState state = StateForOptions(parsed.options);
  WorldMapJob job;
  job.state = &state;
  job.latitude = parsed.options.latitude.value_or(0);
  job.longitude = parsed.options.longitude.value_or(0);
  job.fajrAngle = static_cast<float>(parsed.options.fajrAngle.value_or(-1800) / 100.0);
  job.ishaAngle = static_cast<float>(parsed.options.ishaAngle.value_or(-1700) / 100.0);
  job.sightAltitude = parsed.sightAltitude;
  Image map;
  if (!BuildWorldMap(kind, job, &map)) {
    err << "korvana-cli map: the land mask is not an uncompressed one-bit bitmap\n";
    return 1;
  }
  if (!WriteOutputFile("map", parsed.outPath, EncodeBmp24(map), err)) return 1;
  out << parsed.outPath << "\n";
  return 0;
}

}  // namespace korvana::cli
