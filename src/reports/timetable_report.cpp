#include "reports/timetable_report.h"

#include <cstdlib>

#include "engine/geomagnetic.h"
#include "engine/moon.h"
#include "engine/prayer_times.h"
#include "engine/sun.h"
#include "platform/file_replace.h"
#include "reports/report_text.h"

namespace korvana {
namespace {

constexpr int kDaylightSavingMinutes = 60;  // the "DLS" setting's hour
constexpr int kReportTickHold = 9;          // ticks the scheduler keeps off the engine

// Clock hours of the two azimuth tables.
constexpr int kSunHours[9] = {4, 6, 8, 10, 12, 14, 16, 18, 20};
constexpr int kMoonHours[9] = {0, 2, 4, 6, 8, 16, 18, 20, 22};

int DaysInMonth(int year, int month) {
  // The engine's calendar: every year divisible by 4 is a leap year.
  return CumulativeDays[month] - CumulativeDays[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
}

// The day step of every table: the engine on the day, at the day's zone.
void MoveToDay(AstroState& engine, const TimetableReportJob& job, int month, int day) {
  SetDate(engine, static_cast<int16_t>(day), static_cast<int16_t>(month),
          static_cast<int16_t>(job.year));
  const ReportDayZone zone = ReportZoneOnDate(*job.params, *job.systemZone, job.year, month, day);
  SetLocation(engine, static_cast<int16_t>(job.params->latitude),
              static_cast<int16_t>(job.params->longitude),
              static_cast<int16_t>(zone.standardOffsetMinutes + zone.daylightMinutes));
}

std::string DaylightSavingText(const TimetableReportJob& job) {
  if (job.params->windowsDaylightSaving) return "System (" + job.systemZone->Name() + ")";
  return job.params->daylightSaving ? "Yes" : "No";
}

void AppendMonthBlock(std::string& text, AstroState& engine, const TimetableReportJob& job,
                      int month) {
  const CalcParams& p = *job.params;
  // The header's qibla and compass drift are those of the month's first day.
  MoveToDay(engine, job, month, 1);
  const ReportDayZone zone = ReportZoneOnDate(p, *job.systemZone, job.year, month, 1);

  text += "\n\n";
  AppendFormat(text, "\n\n\n\t\t\tCITY\t\t: %s / %s", p.cityName.c_str(), p.countryName.c_str());
  AppendFormat(text, "\n\n\t\t\tLATITUDE\t: %5.02f\260 ", std::abs(p.latitude) / 100.0);
  text += p.latitude >= 0 ? "NORTH" : "SOUTH";
  AppendFormat(text, "\n\t\t\tLONGITUDE\t: %5.02f\260 ", std::abs(p.longitude) / 100.0);
  text += p.longitude >= 0 ? "EAST" : "WEST";
  AppendFormat(text, "\n\t\t\tTIME ZONE\t: %+5.2f", zone.standardOffsetMinutes / 60.0);
  AppendFormat(text, "\n\t\t\tDATE\t\t: %s %d", MonthName(static_cast<int16_t>(month)), job.year);
  AppendFormat(text, "\n\t\t\tDAYLIGHT SAVING\t: %s", DaylightSavingText(job).c_str());
  AppendFormat(text, "\n\n\t\t\tQIBLA ANGLE\t: %5.1f\260", GetQiblaAngle(engine) / 10.0);
  AppendFormat(text, "\n\t\t\tCOMPASS DRIFT\t: %5.1f\260",
               GetMagneticDeclination(engine, engine.sightAltitude) / 10.0);
  if (engine.MagneticDataValid == 0) text += " (approx.)";
  text +=
      "\n\n\n DAY   FAJR  SUNRISE ISHRAQ MID-DAY  ZUHR   ASR-I  ASR-II  FADING MAGHRIB  ISHA\n"
      " ---   -----  -----   -----  -----   -----  -----   -----  -----   -----  -----\n";

  const int days = DaysInMonth(job.year, month);
  for (int day = 1; day <= days; ++day) {
    MoveToDay(engine, job, month, day);
    AppendFormat(text, "\n %2d. ", day);
    for (int kind = kFajr; kind <= kIsha; ++kind) {
      const int minutes = GetPrayerTime(engine, kind);
      AppendFormat(text, "  %02d:%02d", minutes / 60, minutes % 60);
      if (kind == kSunrise || kind == kMidDay || kind == kAsr1 || kind == kFading) text += ' ';
    }
  }
  text += '\f';
}

void AppendAzimuthTable(std::string& text, AstroState& engine, const TimetableReportJob& job,
                        bool moon) {
  text += moon ? "\n\n\n\t\t\t\tMOON AZIMUTH ANGLE" : "\n\n\n\t\t\t\tSUN AZIMUTH ANGLE";
  text += moon ? "\n\n\n DAY     00:00   02:00   04:00   06:00   08:00   16:00   18:00   20:00   22:00\n"
               : "\n\n\n DAY     04:00   06:00   08:00   10:00   12:00   14:00   16:00   18:00   20:00\n";
  text += " ---     -----   -----   -----   -----   -----   -----   -----   -----   -----\n";
  const int* hours = moon ? kMoonHours : kSunHours;
  const int days = DaysInMonth(job.year, job.month);
  for (int day = 1; day <= days; ++day) {
    MoveToDay(engine, job, job.month, day);
    AppendFormat(text, "\n %2d. ", day);
    for (int i = 0; i < 9; ++i) {
      SetTime(engine, static_cast<int16_t>(hours[i]), 0);
      const int azimuth = moon ? GetMoonAzimuth(engine) : GetSunAzimuth(engine);
      AppendFormat(text, "     %03d", azimuth / 10);
    }
  }
  text += '\f';
}

}  // namespace

ReportDayZone ReportZoneOnDate(const CalcParams& params, const TimeZoneRules& systemZone,
                               int year, int month, int day) {
  ReportDayZone zone;
  if (params.windowsDaylightSaving) {
    const ZoneOnDate system = systemZone.OnDate(year, month, day);
    zone.standardOffsetMinutes =
        params.windowsTimeZone ? system.standardOffsetMinutes : params.timeZone;
    zone.daylightMinutes = system.daylightMinutes;
  } else {
    zone.standardOffsetMinutes =
        params.windowsTimeZone ? systemZone.CurrentStandardOffsetMinutes() : params.timeZone;
    zone.daylightMinutes = params.daylightSaving ? kDaylightSavingMinutes : 0;
  }
  return zone;
}

std::string FormatTimetableReport(AstroState& engine, const TimetableReportJob& job) {
  std::string text;
  if (job.yearly) {
    for (int month = 1; month <= 12; ++month) AppendMonthBlock(text, engine, job, month);
  } else {
    AppendMonthBlock(text, engine, job, job.month);
    AppendAzimuthTable(text, engine, job, /*moon=*/false);
    AppendAzimuthTable(text, engine, job, /*moon=*/true);
  }
  return WithCrLf(text);
}

bool WriteTimetableReport(const std::string& path, AstroState& engine,
                          const TimetableReportJob& job, int32_t* tickCountdown) {
  if (tickCountdown != nullptr && *tickCountdown < kReportTickHold) *tickCountdown = kReportTickHold;
  const bool written = ReplaceFileContents(path, FormatTimetableReport(engine, job));
  if (tickCountdown != nullptr) *tickCountdown = 0;
  return written;
}

}  // namespace korvana
