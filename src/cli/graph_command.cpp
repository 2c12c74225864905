#include <ostream>

#include "cli/commands.h"
#include "cli/graphics_cli.h"
#include "graphics/bmp_file.h"
#include "graphics/graphs.h"
#include "graphics/raster_canvas.h"
#include "platform/time_zone_rules.h"

namespace korvana::cli {

int RunGraphCommand(const Args& args, std::ostream& out, std::ostream& err) {
  GraphicsArgs parsed;
  if (!ParseGraphicsArgs("graph", args, true, &parsed, err)) return 2;
  if (parsed.kind != "angles" && parsed.kind != "trajectories" && parsed.kind != "annual") {
    err << "korvana-cli graph: unknown graph '" << parsed.kind
        << "' (angles, trajectories or annual)\n";
    return 2;
  }
  AstroState state = StateForOptions(parsed.options);
  RasterCanvas canvas(parsed.width, parsed.height);
  PrepareGraphCanvas(canvas);
  int32_t tickCountdown = 0;
  if (parsed.kind == "angles") {
    DrawAngles(canvas, state, static_cast<int16_t>(parsed.sightAltitude));
  } else if (parsed.kind == "trajectories") {
    DrawTrajectories(canvas, state, &tickCountdown);
  } else {
    AnnualGraphJob job;
    job.state = &state;
    job.year = state.year;
    job.latitude = parsed.options.latitude.value_or(0);
    job.longitude = parsed.options.longitude.value_or(0);
    // The whole year's daylight saving, as the tray program's graph takes it.
    const CalcParams& calc = parsed.settings;
    const TimeZoneRules& zone = HostTimeZoneRules();
    job.standardZone = calc.windowsTimeZone != 0 ? zone.CurrentStandardOffsetMinutes()
                                                 : calc.timeZone;
    job.daylightSaving = calc.daylightSaving != 0;
    job.windowsDaylightSaving = calc.windowsDaylightSaving != 0;
    if (job.windowsDaylightSaving) job.systemDaylightSaving = DaylightSavingOf(zone);
    job.tickCountdown = &tickCountdown;
    DrawAnnualPrayerGraph(canvas, job);
  }
  if (!WriteOutputFile("graph", parsed.outPath, EncodeBmp24(canvas.Picture()), err)) return 1;
  out << parsed.outPath << "\n";
  return 0;
}

}  // namespace korvana::cli
