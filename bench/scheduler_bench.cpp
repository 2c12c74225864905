#include <benchmark/benchmark.h>

#include <string>

#include "platform/local_clock.h"
#include "shell/scheduler.h"
#include "shell/silent_shell.h"

namespace korvana {
namespace {

constexpr int64_t kTicksPerSecond = 10000000;  // file-time units
constexpr int64_t kSecondsPerYear = 365 * 86400;

// A clock that moves one second per tick, and everything else doing nothing:
// what is measured is the scheduler itself (and the engine it drives).
class BenchShell final : public SilentShell {
 public:
  int64_t fileTime = 0;  // local clock
  int alerts = 0;

  LocalDateTime GetLocalTime() override { return FromLocalFileTime(fileTime); }
  void ShowTip(const std::string& tip) override { benchmark::DoNotOptimize(tip.data()); }
  void ShowBalloon(BalloonIcon, const std::string&, const std::string&) override { ++alerts; }
  bool PlayWav(const std::string&) override {
    ++alerts;
    return true;
  }
  bool Open(const std::string&) override { return true; }  // a relay that opens
};

// A year of one-second ticks in Istanbul (one full check a minute), with
// every alert on in Balloon mode and the wake-up timer armed at each check.
// The "Last Holy Day" key goes to a file in the temporary folder.
void BM_SimulatedYearOfTicks(benchmark::State& state) {
  const std::string ini = "/tmp/korvana-scheduler-bench.ini";
  int alerts = 0;
  for (auto _ : state) {
    std::remove(ini.c_str());
    BenchShell shell;
    ShellServices services = shell.Services();
    ProgramState ps;
    ps.iniPath = ini;
    ps.calc.latitude = 4101;
    ps.calc.longitude = 2897;
    ps.calc.timeZone = 120;
    ps.MessageMode = kMessagesBalloon;
    ps.WakeUpOn = true;
    Options& o = ps.options;
    o.jumuahSalawaat = o.predawnSalawaat = o.remind = o.useSalawaat = true;
    o.automaticClockCorrection = true;
    shell.fileTime = LocalFileTime({2014, 1, 3, 1, 0, 0, 30, 0});
    for (int64_t s = 0; s < kSecondsPerYear; ++s) {
      Tick(ps, services);
      shell.fileTime += kTicksPerSecond;
    }
    alerts = shell.alerts;
  }
  state.counters["alerts"] = alerts;
  state.counters["ticks"] = static_cast<double>(kSecondsPerYear);
  std::remove(ini.c_str());
}
BENCHMARK(BM_SimulatedYearOfTicks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana
