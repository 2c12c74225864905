#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/moon.h"
#include "engine/prayer_times.h"
#include "engine/sun.h"
#include "graphics/graphs.h"
#include "graphics/prayer_palette.h"
#include "graphics/raster_canvas.h"
#include "graphics/recording_canvas.h"

namespace korvana {
namespace {

constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kMagenta = {255, 0, 255};
constexpr Rgb kYellow = {255, 255, 0};
constexpr Rgb kBlue = {0, 0, 255};
constexpr Rgb kCyan = {0, 255, 255};
constexpr Rgb kGrey = {128, 128, 128};

AstroState StateAt(int16_t lat, int16_t lon, int16_t tz, int16_t day, int16_t month,
                   int16_t year, int16_t hour, int16_t minute) {
  AstroState s;
  SetLocation(s, lat, lon, tz);
  SetDate(s, day, month, year);
  SetTime(s, hour, minute);
  return s;
}

std::vector<DrawCall> CallsOf(const RecordingCanvas& canvas, DrawKind kind) {
  std::vector<DrawCall> found;
  for (const DrawCall& call : canvas.Calls()) {
    if (call.kind == kind) found.push_back(call);
  }
  return found;
}

size_t IndexOfText(const RecordingCanvas& canvas, const std::string& text) {
  for (size_t i = 0; i < canvas.Calls().size(); ++i) {
    const DrawCall& call = canvas.Calls()[i];
    if (call.kind == DrawKind::kPutText && call.text == text) return i;
  }
  return canvas.Calls().size();
}

TEST(Angles, DialsAndTitlesAt1024By768) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  RecordingCanvas canvas(1024, 768);
  DrawAngles(canvas, s, 0);
  const std::vector<DrawCall> arcs = CallsOf(canvas, DrawKind::kAngleArc);
  ASSERT_EQ(arcs.size(), 2u);
  const struct {
    const char* name;
    int x, y, radius;
    float start, sweep;
  } dials[] = {{"azimuth_full_circle", 768, 422, 194, 0, 360},
               {"elevation_right_half", 256, 422, 194, 270, 180}};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(dials[i].name);
    EXPECT_EQ(arcs[i].x, dials[i].x);
    EXPECT_EQ(arcs[i].y, dials[i].y);
    EXPECT_EQ(arcs[i].a, dials[i].radius);
    EXPECT_EQ(arcs[i].start, dials[i].start);
    EXPECT_EQ(arcs[i].sweep, dials[i].sweep);
    EXPECT_EQ(arcs[i].pen, (Pen{kWhite, 2, PenStyle::kSolid})) << "u = 2";
  }
  // Each arc starts where the pen was moved to: the arc's own start point.
  const std::vector<DrawCall> moves = CallsOf(canvas, DrawKind::kMoveTo);
  EXPECT_EQ(moves.front().x, 962);
  EXPECT_EQ(moves.front().y, 422);
  size_t secondArc = 0;
  for (size_t i = 0; i < canvas.Calls().size(); ++i) {
    if (canvas.Calls()[i].kind == DrawKind::kAngleArc) secondArc = i;
  }
  EXPECT_EQ(canvas.Calls()[secondArc - 1].kind, DrawKind::kMoveTo);
  EXPECT_EQ(canvas.Calls()[secondArc - 1].x, 256);
  EXPECT_EQ(canvas.Calls()[secondArc - 1].y, 616);

  const std::vector<DrawCall> texts = CallsOf(canvas, DrawKind::kPutText);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2].text, "ELEVATION");
  EXPECT_EQ(texts[texts.size() - 2].x, 256);
  EXPECT_EQ(texts[texts.size() - 2].y, 167);
  EXPECT_EQ(texts.back().text, "AZIMUTH");
  EXPECT_EQ(texts.back().x, 718);
  EXPECT_EQ(texts.back().y, 167);
}

TEST(Angles, LegendInTableOrder) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  RecordingCanvas canvas(1024, 768);
  DrawAngles(canvas, s, 0);
  const struct {
    const char* label;
    Rgb colour;
    int lineY, textY;
  } rows[] = {{"HORIZON", kRed, 322, 315},      {"NORTH", {0, 255, 0}, 360, 353},
              {"COMPASS", kMagenta, 399, 392},  {"SUN", kYellow, 437, 430},
              {"MOON", kBlue, 476, 469},        {"QIBLA", kCyan, 514, 507}};
  size_t previous = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const size_t i = IndexOfText(canvas, row.label);
    ASSERT_LT(i, canvas.Calls().size());
    EXPECT_GT(i, previous);
    previous = i;
    const DrawCall& text = canvas.Calls()[i];
    EXPECT_EQ(text.x, 122);
    EXPECT_EQ(text.y, row.textY);
    // The legend line just before it, in the needle's pen.
    const DrawCall& from = canvas.Calls()[i - 2];
    const DrawCall& to = canvas.Calls()[i - 1];
    EXPECT_EQ((std::vector<int>{from.x, from.y, to.x, to.y}),
              (std::vector<int>{51, row.lineY, 102, row.lineY}));
    EXPECT_EQ(to.pen.colour, row.colour);
  }
}

TEST(Angles, NeedleEnds) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  AstroState copy = s;
  RecordingCanvas canvas(1024, 768);
  DrawAngles(canvas, s, 0);
  // NORTH points straight up, 0.2 W long; QIBLA at the engine's bearing.
  const DrawCall& north = canvas.Calls()[IndexOfText(canvas, "NORTH") - 3];
  EXPECT_EQ(north.kind, DrawKind::kLineTo);
  EXPECT_EQ(north.x, 768);
  EXPECT_EQ(north.y, 217);
  const double qibla = GetQiblaAngle(copy) * 3.141592653589793 / 1800;
  const DrawCall& toQibla = canvas.Calls()[IndexOfText(canvas, "QIBLA") - 3];
  EXPECT_EQ(toQibla.x, static_cast<int>((0.75 + 0.2 * std::sin(qibla)) * 1024));
  EXPECT_EQ(toQibla.y, static_cast<int>(0.55 * 768 - 0.2 * 1024 * std::cos(qibla)));
  // Elevation needles after the half circle: horizon, sun, moon.
  std::vector<Rgb> elevationPens;
  bool afterHalfCircle = false;
  for (const DrawCall& call : canvas.Calls()) {
    if (call.kind == DrawKind::kAngleArc && call.sweep == 180) afterHalfCircle = true;
    if (afterHalfCircle && call.kind == DrawKind::kLineTo) elevationPens.push_back(call.pen.colour);
  }
  EXPECT_EQ(elevationPens, (std::vector<Rgb>{kRed, kYellow, kBlue}));
}

TEST(Angles, CompassPenFollowsMagneticDataValid) {
  const struct {
    const char* name;
    int16_t year;
    Pen pen;
  } cases[] = {
      {"model_in_date_solid_u_wide", 2014, {kMagenta, 2, PenStyle::kSolid}},
      {"model_expired_one_pixel_dash_dot", 2025, {kMagenta, 0, PenStyle::kDashDot}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s = StateAt(4101, 2897, 180, 21, 6, c.year, 15, 0);
    RecordingCanvas canvas(1024, 768);
    DrawAngles(canvas, s, 0);
    const size_t i = IndexOfText(canvas, "COMPASS");
    EXPECT_EQ(canvas.Calls()[i - 1].pen, c.pen) << "legend line";
    EXPECT_EQ(canvas.Calls()[i - 3].pen, c.pen) << "needle";
    EXPECT_EQ(canvas.Calls()[i - 5].kind, DrawKind::kSelectPen);
  }
}

TEST(Trajectories, NorthLineAndTickHold) {
  const struct {
    const char* name;
    int32_t before, after;
  } cases[] = {{"raised_from_zero", 0, 9}, {"raised_from_idle", -1, 9}, {"kept_when_higher", 30, 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
    RecordingCanvas canvas(1024, 768);
    int32_t countdown = c.before;
    DrawTrajectories(canvas, s, &countdown);
    EXPECT_EQ(countdown, c.after);
    EXPECT_EQ(s.clockMinutes, 900) << "the engine's minute is put back";
    const std::vector<DrawCall>& calls = canvas.Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].pen, (Pen{{0, 255, 0}, 2, PenStyle::kSolid}));
    EXPECT_EQ((std::vector<int>{calls[1].x, calls[1].y, calls[2].x, calls[2].y}),
              (std::vector<int>{477, 384, 814, 384}));
    EXPECT_EQ(calls[3].text, "NORTH");
    EXPECT_EQ(calls[3].x, 853);
    EXPECT_EQ(calls[3].y, 377);
  }
}

TEST(Trajectories, DiscsDrawnOnceUnderLaterTracePixels) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  AstroState again = s;
  RecordingCanvas record(1024, 768);
  DrawTrajectories(record, s, nullptr);
  const std::vector<DrawCall>& calls = record.Calls();
  // Per minute: horizon, moon and sun pixels; the discs come with minute 900.
  EXPECT_EQ(CallsOf(record, DrawKind::kSetPixel).size(), 3u * 1440);
  const std::vector<DrawCall> discs = CallsOf(record, DrawKind::kEllipse);
  ASSERT_EQ(discs.size(), 2u);
  const Rgb discColours[2] = {kGrey, kYellow};  // moon first, then sun
  int disc = 0;
  int pixelsBefore = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].kind == DrawKind::kSetPixel) ++pixelsBefore;
    if (calls[i].kind != DrawKind::kEllipse) continue;
    SCOPED_TRACE(disc == 0 ? "moon" : "sun");
    EXPECT_EQ(pixelsBefore, 3 * 900 + 1 + disc);
    EXPECT_EQ(calls[i].pen, (Pen{discColours[disc], 0, PenStyle::kSolid}));
    EXPECT_EQ(calls[i - 1].kind, DrawKind::kSelectBrush);
    EXPECT_EQ(calls[i - 1].colour, discColours[disc]);
    EXPECT_EQ(calls[i].a - calls[i].x, 14);
    EXPECT_EQ(calls[i].b - calls[i].y, 14);
    ASSERT_EQ(calls[i + 1].kind, DrawKind::kSetPixel);
    EXPECT_EQ(calls[i + 1].x, calls[i].x + 7) << "the trace pixel of the minute at the centre";
    EXPECT_EQ(calls[i + 1].y, calls[i].y + 7);
    ++disc;
  }
  // Drawn for real, a later minute's trace pixel inside a disc stays visible.
  RasterCanvas raster(1024, 768);
  DrawTrajectories(raster, again, nullptr);
  int covered = 0;
  int minute = -1;
  for (const DrawCall& call : calls) {
    if (call.kind != DrawKind::kSetPixel) continue;
    ++minute;
    if (minute / 3 <= 900 || minute % 3 == 0) continue;
    for (const DrawCall& d : discs) {
      if (call.x >= d.x && call.x < d.a && call.y >= d.y && call.y < d.b) {
        EXPECT_EQ(raster.Picture().At(call.x, call.y), call.colour);
        ++covered;
      }
    }
  }
  EXPECT_GT(covered, 0);
}

TEST(Trajectories, BodiesBelowTheHorizonInTheirSecondColour) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  RecordingCanvas canvas(1024, 768);
  DrawTrajectories(canvas, s, nullptr);
  const std::vector<DrawCall> pixels = CallsOf(canvas, DrawKind::kSetPixel);
  AstroState probe = StateAt(4101, 2897, 180, 21, 6, 2014, 0, 0);
  int sunDown = 0;
  int moonDown = 0;
  for (int m = 0; m < 1440; ++m) {
    SetTime(probe, static_cast<int16_t>(m / 60), static_cast<int16_t>(m % 60));
    const bool moonUp = GetMoonElevation(probe) > 0;
    const bool sunUp = GetSunElevation(probe) > 0;
    EXPECT_EQ(pixels[3 * m].colour, kGrey) << "horizon, minute " << m;
    ASSERT_EQ(pixels[3 * m + 1].colour, moonUp ? kCyan : kBlue) << "moon, minute " << m;
    ASSERT_EQ(pixels[3 * m + 2].colour, sunUp ? kYellow : kMagenta) << "sun, minute " << m;
    sunDown += sunUp ? 0 : 1;
    moonDown += moonUp ? 0 : 1;
  }
  EXPECT_GT(sunDown, 0);
  EXPECT_GT(moonDown, 0);
}

TEST(AnnualGraph, GridAt1024By768) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2014, 15, 0);
  AnnualGraphJob job;
  job.state = &s;
  job.year = 2014;
  job.latitude = 4101;
  job.longitude = 2897;
  job.standardZone = 120;
  RecordingCanvas canvas(1024, 768);
  DrawAnnualPrayerGraph(canvas, job);
  const std::vector<DrawCall>& calls = canvas.Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, DrawKind::kSetTextColour);
  EXPECT_EQ(calls[0].colour, (Rgb{64, 64, 64}));
  EXPECT_EQ(calls[1].pen, (Pen{{64, 64, 64}, 1, PenStyle::kDot}));
  const struct {
    const char* name;
    DrawKind kind;
    std::string text;
    int x, y;
  } expected[] = {
      // Month 1: label level with mid-January, the line at the end of January.
      {"month_01_label", DrawKind::kPutText, "01", 61, 67},
      {"end_of_january_from", DrawKind::kMoveTo, "", 102, 100},
      {"end_of_january_to", DrawKind::kLineTo, "", 962, 100},
      {"hour_02_label", DrawKind::kPutText, "02", 165, 706},
      {"two_o_clock_from", DrawKind::kMoveTo, "", 174, 46},
      {"two_o_clock_to", DrawKind::kLineTo, "", 174, 691},
  };
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(expected[i].name);
    const DrawCall& call = calls[2 + i];
    EXPECT_EQ(call.kind, expected[i].kind);
    EXPECT_EQ(call.text, expected[i].text);
    EXPECT_EQ(call.x, expected[i].x);
    EXPECT_EQ(call.y, expected[i].y);
  }
  // The eleventh month and hour 22, then December's label.
  const size_t m11 = IndexOfText(canvas, "11");
  ASSERT_LT(m11, calls.size());
  EXPECT_EQ(calls[m11].y, 602);
  EXPECT_EQ(calls[m11 + 1].y, 636);
  EXPECT_EQ(calls[m11 + 3].text, "22");
  EXPECT_EQ(calls[m11 + 3].x, 881);
  EXPECT_EQ(calls[m11 + 4].x, 890);
  EXPECT_EQ(calls[m11 + 6].text, "12");
  EXPECT_EQ(calls[m11 + 6].x, 61);
  EXPECT_EQ(calls[m11 + 6].y, 657);
  EXPECT_EQ(CallsOf(canvas, DrawKind::kPutText).size(), 23u);
}

// A canvas that notes the scheduler's countdown when the first dot is set.
class CountdownWatch : public RecordingCanvas {
 public:
  CountdownWatch(int w, int h, const int32_t* countdown) : RecordingCanvas(w, h), countdown_(countdown) {}
  void SetPixel(int x, int y, Rgb colour) override {
    if (seen_ == kUnseen) seen_ = *countdown_;
    RecordingCanvas::SetPixel(x, y, colour);
  }
  static constexpr int32_t kUnseen = -1000;
  int32_t seen_ = kUnseen;

 private:
  const int32_t* countdown_;
};

TEST(AnnualGraph, LeapYearStopsAtDay365) {
  AstroState s = StateAt(4101, 2897, 180, 21, 6, 2016, 15, 0);
  int32_t countdown = 0;
  AnnualGraphJob job;
  job.state = &s;
  job.year = 2016;
  job.latitude = 4101;
  job.longitude = 2897;
  job.standardZone = 120;
  job.tickCountdown = &countdown;
  CountdownWatch canvas(1024, 768, &countdown);
  DrawAnnualPrayerGraph(canvas, job);
  const std::vector<DrawCall> dots = CallsOf(canvas, DrawKind::kSetPixel);
  ASSERT_EQ(dots.size(), 3650u);
  EXPECT_EQ(dots.front().y, 46);
  EXPECT_EQ(dots.back().y, 689);
  EXPECT_EQ(s.day, 30) << "31 December is not plotted";
  EXPECT_EQ(s.month, 12);
  EXPECT_EQ(canvas.seen_, 9) << "the tick is held off while the graph drives the engine";
  EXPECT_EQ(countdown, 0) << "the next tick puts the engine back";
  // Colours of one day in timing order.
  const int palette[10] = {9, 2, 3, 7, 4, 11, 12, 3, 2, 9};
  for (int j = 0; j < 10; ++j) EXPECT_EQ(dots[j].colour, PrayerPalette[palette[j]]) << j;
}

TEST(AnnualGraph, DaylightSavingHourMovesTheDots) {
  AstroState s = StateAt(4101, 2897, 180, 1, 1, 2014, 12, 0);
  AnnualGraphJob job;
  job.state = &s;
  job.year = 2014;
  job.latitude = 4101;
  job.longitude = 2897;
  job.standardZone = 120;
  job.daylightSaving = true;
  RecordingCanvas canvas(1024, 768);
  DrawAnnualPrayerGraph(canvas, job);
  const std::vector<DrawCall> dots = CallsOf(canvas, DrawKind::kSetPixel);
  AstroState probe = StateAt(4101, 2897, 180, 1, 1, 2014, 12, 0);
  for (int kind = kFajr; kind <= kIsha; ++kind) {
    const int t = GetPrayerTime(probe, kind);
    EXPECT_EQ(dots[kind - 1].x, static_cast<int>((t * 0.84 / 1440 + 0.1) * 1024)) << kind;
  }
}

TEST(AnnualGraph, DaylightSavingFlags) {
  // 2014: the last Sundays are 30 March and 26 October.
  const int kMar29 = 87, kMar30 = 88, kApr1 = 90, kOct25 = 297, kOct26 = 298, kNov1 = 304,
            kDec31 = 364;
  const struct {
    const char* name;
    int latitude;
    bool dls, windows;
    bool systemRule;
    std::vector<std::pair<int, bool>> expected;  // day index, flag
  } cases[] = {
      {"european_rule_north", 4101, false, true, false,
       {{0, false}, {kMar29, false}, {kMar30, true}, {kApr1, true}, {kOct25, true},
        {kOct26, false}, {kNov1, false}, {kDec31, false}}},
      {"european_rule_south_from_january_to_the_last_sunday_of_march", -3387, false, true, false,
       {{0, true}, {kMar29, true}, {kMar30, false}, {kApr1, false}, {kOct25, false},
        {kOct26, true}, {kNov1, true}, {kDec31, true}}},
      {"dls_setting_all_year", 4101, true, false, false,
       {{0, true}, {kMar30, true}, {kOct26, true}, {kDec31, true}}},
      {"no_daylight_saving", -3387, false, false, false, {{0, false}, {kOct26, false}}},
      // The system's own rules: here daylight saving in June and July only.
      {"system_rules_for_each_date", 4101, false, true, true,
       {{0, false}, {kMar30, false}, {151, true}, {211, true}, {212, false}, {kOct26, false}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AnnualGraphJob job;
    job.year = 2014;
    job.latitude = c.latitude;
    job.daylightSaving = c.dls;
    job.windowsDaylightSaving = c.windows;
    if (c.systemRule) {
      job.systemDaylightSaving = [](int year, int month, int) {
        return year == 2014 && (month == 6 || month == 7);
      };
    }
    bool flags[365];
    AnnualDaylightSavingFlags(job, flags);
    for (const auto& [day, flag] : c.expected) EXPECT_EQ(flags[day], flag) << "day index " << day;
  }
}

}  // namespace
}  // namespace korvana
