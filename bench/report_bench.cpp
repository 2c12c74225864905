// The yearly timetable report, formatted and written to a file, as the tray
// program's "Yearly Prayer Times" does; and the holy days of a year.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/windows_zone_rules.h"
#include "reports/holy_days_report.h"
#include "reports/timetable_report.h"

namespace korvana {
namespace {

// Central European rules, so that every day asks for its daylight saving.
class EuropeanRules : public TimeZoneRules {
 public:
  ZoneOnDate OnDate(int year, int month, int day) const override {
    const YearZoneInformation info = {-60, 0, -60, {0, 10, 0, 5, 3, 0}, {0, 3, 0, 5, 2, 0}};
    return EvaluateZoneOnDate(info, year, month, day);
  }
  int CurrentStandardOffsetMinutes() const override { return 60; }
  std::string Name() const override { return "W. Europe Standard Time"; }
};

std::string ReportPath() {
  return (std::filesystem::temp_directory_path() / "korvana-bench-report.txt").string();
}

void BM_YearlyReportToFile(benchmark::State& state) {
  CalcParams params;
  params.latitude = 4101;
  params.longitude = 2897;
  params.timeZone = 60;
  params.windowsDaylightSaving = static_cast<int>(state.range(0));
  params.cityName = "Istanbul";
  params.countryName = "Turkey";
  const EuropeanRules rules;
  TimetableReportJob job;
  job.yearly = true;
  job.year = 2014;
  job.month = 1;
  job.params = &params;
  job.systemZone = &rules;
  const std::string path = ReportPath();
  AstroState engine;
  for (auto _ : state) {
    if (!WriteTimetableReport(path, engine, job, nullptr)) state.SkipWithError("not written");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_YearlyReportToFile)->Arg(0)->Arg(1)->ArgName("system_rules")->Unit(benchmark::kMillisecond);

void BM_MonthlyReportToFile(benchmark::State& state) {
  CalcParams params;
  params.latitude = 4101;
  params.longitude = 2897;
  params.timeZone = 180;
  const EuropeanRules rules;
  TimetableReportJob job;
  job.year = 2014;
  job.month = 6;
  job.params = &params;
  job.systemZone = &rules;
  const std::string path = ReportPath();
  AstroState engine;
  for (auto _ : state) {
    if (!WriteTimetableReport(path, engine, job, nullptr)) state.SkipWithError("not written");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_MonthlyReportToFile)->Unit(benchmark::kMillisecond);

void BM_HolyDaysReportToFile(benchmark::State& state) {
  const std::string path = ReportPath();
  AstroState engine;
  for (auto _ : state) {
    if (!WriteHolyDaysReport(path, engine, 2014, nullptr)) state.SkipWithError("not written");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_HolyDaysReportToFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana
