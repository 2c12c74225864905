#include <benchmark/benchmark.h>

#include "graphics/graphs.h"
#include "graphics/picture.h"
#include "graphics/raster_canvas.h"
#include "graphics/world_map.h"

namespace korvana {
namespace {

AstroState Istanbul() {
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  SetDate(s, 21, 6, 2014);
  SetTime(s, 15, 0);
  return s;
}

void BM_WorldMap(benchmark::State& state, int kind) {
  AstroState s = Istanbul();
  WorldMapJob job;
  job.state = &s;
  job.latitude = 4101;
  job.longitude = 2897;
  Image map;
  for (auto _ : state) {
    BuildWorldMap(kind, job, &map);
    benchmark::DoNotOptimize(map.pixels.data());
  }
}
// 320,000 evaluations of the geomagnetic field.
BENCHMARK_CAPTURE(BM_WorldMap, declination, kDeclinationMap)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WorldMap, prayer, kPrayerMap)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WorldMap, qibla, kQiblaMap)->Unit(benchmark::kMillisecond);

void BM_Picture(benchmark::State& state, int kind) {
  AstroState s = Istanbul();
  for (auto _ : state) {
    std::vector<uint8_t> bytes = BuildPicture(kind, s, 4101, nullptr, nullptr);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK_CAPTURE(BM_Picture, moon, kMoonPicture)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Picture, earth, kEarthPicture)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Picture, globe, kGlobePicture)->Unit(benchmark::kMillisecond);

// 2 x 1440 sun and moon positions onto a 1024 x 768 canvas.
void BM_Trajectories(benchmark::State& state) {
  AstroState s = Istanbul();
  RasterCanvas canvas(1024, 768);
  for (auto _ : state) {
    DrawTrajectories(canvas, s, nullptr);
    benchmark::DoNotOptimize(canvas.Picture().pixels.data());
  }
}
BENCHMARK(BM_Trajectories)->Unit(benchmark::kMillisecond);

// 365 x 10 timings onto a 1024 x 768 canvas.
void BM_AnnualPrayerGraph(benchmark::State& state) {
  AstroState s = Istanbul();
  RasterCanvas canvas(1024, 768);
  AnnualGraphJob job;
  job.state = &s;
  job.year = 2014;
  job.latitude = 4101;
  job.longitude = 2897;
  job.standardZone = 120;
  job.windowsDaylightSaving = true;
  for (auto _ : state) {
    DrawAnnualPrayerGraph(canvas, job);
    benchmark::DoNotOptimize(canvas.Picture().pixels.data());
  }
}
BENCHMARK(BM_AnnualPrayerGraph)->Unit(benchmark::kMillisecond);

void BM_Angles(benchmark::State& state) {
  AstroState s = Istanbul();
  RasterCanvas canvas(1024, 768);
  PrepareGraphCanvas(canvas);
  for (auto _ : state) {
    DrawAngles(canvas, s, 0);
    benchmark::DoNotOptimize(canvas.Picture().pixels.data());
  }
}
BENCHMARK(BM_Angles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana
