#include <benchmark/benchmark.h>

#include "engine/prayer_times.h"

namespace korvana {
namespace {

// A whole year of timings for one place: 365 days x kinds 1..10 in order.
void BM_YearOfTimings(benchmark::State& state) {
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  for (auto _ : state) {
    int checksum = 0;
    for (int16_t day = 1; day <= 365; ++day) {
      SetDate(s, day, 1, 2014);
      for (int kind = kFajr; kind <= kIsha; ++kind) checksum += GetPrayerTime(s, kind);
    }
    benchmark::DoNotOptimize(checksum);
  }
}
BENCHMARK(BM_YearOfTimings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana
