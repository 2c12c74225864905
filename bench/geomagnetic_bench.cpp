#include <benchmark/benchmark.h>

#include "engine/geomagnetic.h"

namespace korvana {
namespace {

// One evaluation of the field to degree and order 13 (Istanbul, mid-2014).
void BM_GeomagneticField(benchmark::State& state) {
  AstroState s;
  for (auto _ : state) {
    ComputeGeomagneticField(s, 5295, 41.01f, 28.97f, 0.0f);
    benchmark::DoNotOptimize(s.magDeclination);
  }
}
BENCHMARK(BM_GeomagneticField);

}  // namespace
}  // namespace korvana
