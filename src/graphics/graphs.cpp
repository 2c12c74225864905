#include "graphics/graphs.h"

#include <cmath>
#include <cstdio>

#include "engine/geomagnetic.h"
#include "engine/moon.h"
#include "engine/prayer_times.h"
#include "engine/sun.h"
#include "engine/units.h"
#include "graphics/prayer_palette.h"

namespace korvana {

namespace {

constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kGreen = {0, 255, 0};
constexpr Rgb kMagenta = {255, 0, 255};
constexpr Rgb kYellow = {255, 255, 0};
constexpr Rgb kBlue = {0, 0, 255};
constexpr Rgb kCyan = {0, 255, 255};
constexpr Rgb kGrey = {128, 128, 128};

// Tilt of the Trajectories view, radians.
constexpr double kViewTilt = 0.17;
// Half the side of the sun's and moon's discs, pixels.
constexpr int kDiscHalfSide = 7;
// Half a glyph's height: labels stand this much above their line.
constexpr int kLabelRaise = 7;

int Trunc(double v) { return static_cast<int>(std::trunc(v)); }

// Tenths of a degree to radians.
double TenthsToRad(int tenths) { return tenths * kRadPerDeg * 0.1; }

void RaiseTickCountdown(int32_t* tickCountdown) {
  if (tickCountdown != nullptr && *tickCountdown < kGraphTickHold) {
    *tickCountdown = kGraphTickHold;
  }
}

struct Needle {
  const char* label;
  Rgb colour;
  double legendHeight;  // fraction of H
};

}  // namespace

void DrawAngles(Canvas& canvas, AstroState& state, int16_t sightAltitude) {
  const int w = canvas.Width();
  const int h = canvas.Height();
  const int u = w / 500;
  const double radius = 0.19 * w;
  const int centreY = Trunc(0.55 * h);

  const int azimuthCentreX = Trunc(0.75 * w);
  canvas.SelectPen({kWhite, u, PenStyle::kSolid});
  canvas.MoveTo(Trunc(0.94 * w), centreY);
  canvas.AngleArc(azimuthCentreX, centreY, Trunc(radius), 0, 360);

  const int16_t declination = GetMagneticDeclination(state, sightAltitude);
  const bool magneticValid = state.MagneticDataValid != 0;
  const int16_t angles[6] = {0,
                             0,
                             declination,
                             GetSunAzimuth(state),
                             GetMoonAzimuth(state),
                             GetQiblaAngle(state)};
  const Needle needles[6] = {
      {"HORIZON", kRed, 0.42},    {"NORTH", kGreen, 0.47}, {"COMPASS", kMagenta, 0.52},
      {"SUN", kYellow, 0.57},     {"MOON", kBlue, 0.62},   {"QIBLA", kCyan, 0.67},
  };
  for (int i = 0; i < 6; ++i) {
    const Needle& needle = needles[i];
    Pen pen{needle.colour, u, PenStyle::kSolid};
    // An expired or unusable field model shows a thin broken compass needle.
    if (i == 2 && !magneticValid) pen = {needle.colour, 0, PenStyle::kDashDot};
    canvas.SelectPen(pen);
    const double a = TenthsToRad(angles[i]);
    canvas.MoveTo(azimuthCentreX, centreY);
    canvas.LineTo(Trunc((0.75 + 0.2 * std::sin(a)) * w), Trunc(0.55 * h - 0.2 * w * std::cos(a)));
    const int legendY = Trunc(needle.legendHeight * h);
    canvas.MoveTo(Trunc(0.05 * w), legendY);
    canvas.LineTo(Trunc(0.1 * w), legendY);
    canvas.PutText(Trunc(0.12 * w), Trunc(needle.legendHeight * h - kLabelRaise), needle.label);
  }

  const int elevationCentreX = Trunc(0.25 * w);
  canvas.SelectPen({kWhite, u, PenStyle::kSolid});
  canvas.MoveTo(elevationCentreX, Trunc(0.55 * h + radius));
  canvas.AngleArc(elevationCentreX, centreY, Trunc(radius), 270, 180);

  const struct {
    int elevation;
    Rgb colour;
  } elevations[3] = {{0, kRed}, {GetSunElevation(state), kYellow}, {GetMoonElevation(state), kBlue}};
  for (const auto& needle : elevations) {
    canvas.SelectPen({needle.colour, u, PenStyle::kSolid});
    const double e = TenthsToRad(needle.elevation);
    canvas.MoveTo(elevationCentreX, centreY);
    canvas.LineTo(Trunc((0.25 + 0.2 * std::cos(e)) * w), Trunc(0.55 * h - 0.2 * w * std::sin(e)));
  }

  const int titleY = Trunc(0.55 * h - 0.2 * w - 50);
  canvas.PutText(elevationCentreX, titleY, "ELEVATION");
  canvas.PutText(Trunc(0.75 * w - 50), titleY, "AZIMUTH");
}

void DrawTrajectories(Canvas& canvas, AstroState& state, int32_t* tickCountdown) {
  const int w = canvas.Width();
  const int h = canvas.Height();
  const int u = w / 500;
  RaiseTickCountdown(tickCountdown);

  canvas.SelectPen({kGreen, u, PenStyle::kSolid});
  canvas.MoveTo(Trunc(1.4 * w / 3), h / 2);
  canvas.LineTo(Trunc((std::cos(kViewTilt) + 1.4) * w / 3), h / 2);
  canvas.PutText(Trunc(2.5 * w / 3), h / 2 - kLabelRaise, "NORTH");

  const int remembered = state.clockMinutes;
  const double sinTilt = std::sin(kViewTilt);
  const double cosTilt = std::cos(kViewTilt);
  auto project = [&](int azimuthTenths, int elevationTenths, int* x, int* y) {
    const double a = TenthsToRad(azimuthTenths);
    const double e = TenthsToRad(elevationTenths);
    *x = Trunc((std::cos(e) * std::cos(a + kViewTilt) + 1.4) * w / 3);
    *y = Trunc(((std::sin(a) * sinTilt * std::cos(e) - cosTilt * std::sin(e)) * 0.8 + 1) * h / 2);
  };
  auto drawDisc = [&](int x, int y, Rgb colour) {
    canvas.SelectPen({colour, 0, PenStyle::kSolid});
    canvas.SelectBrush(colour);
    canvas.Ellipse(x - kDiscHalfSide, y - kDiscHalfSide, x + kDiscHalfSide, y + kDiscHalfSide);
  };

  for (int m = 0; m < kMinutesPerDay; ++m) {
    SetTime(state, static_cast<int16_t>(m / 60), static_cast<int16_t>(m % 60));
    const double t = m * 0.25 * kRadPerDeg;
    canvas.SetPixel(Trunc((std::cos(kViewTilt + t) + 1.4) * w / 3),
                    Trunc((sinTilt * std::sin(t) * 0.8 + 1) * h / 2), kGrey);
    int x = 0;
    int y = 0;
    const int16_t moonAzimuth = GetMoonAzimuth(state);
    const int16_t moonElevation = GetMoonElevation(state);
    project(moonAzimuth, moonElevation, &x, &y);
    if (m == remembered) drawDisc(x, y, kGrey);
    canvas.SetPixel(x, y, moonElevation > 0 ? kCyan : kBlue);
    const int16_t sunAzimuth = GetSunAzimuth(state);
    const int16_t sunElevation = GetSunElevation(state);
    project(sunAzimuth, sunElevation, &x, &y);
    if (m == remembered) drawDisc(x, y, kYellow);
    canvas.SetPixel(x, y, sunElevation > 0 ? kYellow : kMagenta);
  }
  SetTime(state, static_cast<int16_t>(remembered / 60), static_cast<int16_t>(remembered % 60));
}

void AnnualDaylightSavingFlags(const AnnualGraphJob& job, bool flags[365]) {
  AstroState scratch;
  scratch.year = static_cast<int16_t>(job.year);
  bool flag = job.daylightSaving;
  for (int d = 0; d < 365; ++d) {
    int16_t month = 0;
    int16_t day = 0;
    MonthFromDayOfYear(scratch, static_cast<int16_t>(d + 1), &month, &day);
    if (!job.windowsDaylightSaving) {
      flag = job.daylightSaving;
    } else if (job.systemDaylightSaving) {
      flag = job.systemDaylightSaving(job.year, month, day);
    } else {
      if (day == 1) flag = (month >= 4 && month <= 10) != (job.latitude < 0);
      SetDate(scratch, day, month, static_cast<int16_t>(job.year));
      if ((month == 3 || month == 10) && day > 24 && GetWeekday(scratch) == 7) flag = !flag;
    }
    flags[d] = flag;
  }
}

void DrawAnnualPrayerGraph(Canvas& canvas, AnnualGraphJob& job) {
  const int w = canvas.Width();
  const int h = canvas.Height();
  AstroState& state = *job.state;
  RaiseTickCountdown(job.tickCountdown);

  const Rgb grid = PrayerPalette[1];
  canvas.SetTextColour(grid);
  canvas.SelectPen({grid, 1, PenStyle::kDot});
  static const int kMonthStarts[13] = {0,   31,  59,  90,  120, 151, 181,
                                       212, 243, 273, 304, 334, 365};
  char label[16];
  for (int i = 1; i <= 11; ++i) {
    // Grid positions as fractions of the screen, in single precision.
    const float f = static_cast<float>(kMonthStarts[i]) * 0.84f / 365.0f + 0.06f;
    const float g = static_cast<float>(i) * 0.84f / 12.0f + 0.1f;
    std::snprintf(label, sizeof label, "%02i", i);
    // 0.034520547945205475 = 15 * 0.84 / 365: half a month up, level with its middle.
    canvas.PutText(Trunc(0.06 * w), Trunc(h * (static_cast<double>(f) - 0.034520547945205475) - 7),
                   label);
    const int y = Trunc(static_cast<double>(f) * h);
    canvas.MoveTo(Trunc(0.1 * w), y);
    canvas.LineTo(Trunc(0.94 * w), y);
    std::snprintf(label, sizeof label, "%02i", 2 * i);
    canvas.PutText(Trunc(static_cast<double>(g) * w - 9), Trunc(0.92 * h), label);
    const int x = Trunc(static_cast<double>(g) * w);
    canvas.MoveTo(x, Trunc(0.06 * h));
    canvas.LineTo(x, Trunc(0.9 * h));
  }
  canvas.PutText(Trunc(0.06 * w), Trunc(0.8654794520547945 * h - 7), "12");

  static const int kTimingColour[10] = {9, 2, 3, 7, 4, 11, 12, 3, 2, 9};
  bool flags[365];
  AnnualDaylightSavingFlags(job, flags);
  for (int d = 0; d < 365; ++d) {
    int16_t month = 0;
    int16_t day = 0;
    MonthFromDayOfYear(state, static_cast<int16_t>(d + 1), &month, &day);
    SetDate(state, day, month, static_cast<int16_t>(job.year));
    SetLocation(state, static_cast<int16_t>(job.latitude), static_cast<int16_t>(job.longitude),
                static_cast<int16_t>(job.standardZone + 60 * (flags[d] ? 1 : 0)));
    const int y = Trunc((d * 0.84 / 365 + 0.06) * h);
    for (int kind = kFajr; kind <= kIsha; ++kind) {
      const int t = GetPrayerTime(state, kind);
      canvas.SetPixel(Trunc((t * 0.84 / 1440 + 0.1) * w), y,
                      PrayerPalette[kTimingColour[kind - 1]]);
    }
  }
  if (job.tickCountdown != nullptr) *job.tickCountdown = 0;
}

}  // namespace korvana
