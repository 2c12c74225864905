#include <benchmark/benchmark.h>

#include "engine/hijri.h"

namespace korvana {
namespace {

// One Hijri date from a fresh SetDate: the full backward search. The dates
// walk through 2014 so that each search starts at another day of the month.
void BM_HijriDate(benchmark::State& state) {
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  int16_t dayOfYear = 0;
  for (auto _ : state) {
    dayOfYear = static_cast<int16_t>(dayOfYear % 365 + 1);
    SetDate(s, dayOfYear, 1, 2014);
    benchmark::DoNotOptimize(GetHijriDay(s));
  }
}
BENCHMARK(BM_HijriDate);

}  // namespace
}  // namespace korvana
