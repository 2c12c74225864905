#include "graphics/world_map.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "data/embedded_bitmaps.h"
#include "engine/geomagnetic.h"
#include "engine/sun.h"
#include "engine/units.h"
#include "graphics/prayer_palette.h"

namespace korvana {

namespace {

constexpr int kDibHeaderBytes = 40;
constexpr int kColourTableBytes = 8;
constexpr Rgb kObserverMarker = {255, 0, 0};
const double kSin5Deg = std::sin(5 * kPi / 180);
const double kSinMinus1Deg = std::sin(-1 * kPi / 180);

// Sea and land colour of each 5-degree band of declination size.
constexpr Rgb kDeclinationBands[14][2] = {
    {{255, 255, 255}, {128, 128, 128}}, {{255, 0, 0}, {128, 0, 0}},
    {{255, 128, 0}, {128, 64, 0}},      {{255, 255, 0}, {128, 128, 0}},
    {{128, 255, 0}, {64, 128, 0}},      {{0, 255, 0}, {0, 128, 0}},
    {{0, 255, 128}, {0, 128, 64}},      {{0, 255, 255}, {0, 128, 128}},
    {{0, 128, 255}, {0, 64, 128}},      {{0, 0, 255}, {0, 0, 128}},
    {{128, 0, 255}, {64, 0, 128}},      {{255, 0, 255}, {128, 0, 128}},
    {{255, 0, 128}, {128, 0, 64}},      {{64, 64, 64}, {0, 0, 0}},
};

int32_t ReadInt32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 |
                              static_cast<uint32_t>(p[3]) << 24);
}

int ReadUint16(const uint8_t* p) { return p[0] | p[1] << 8; }

// Latitude of image row n and longitude of column x in degrees, as the
// field model takes them.
float MapLatitude(int height, int n) {
  return static_cast<float>((static_cast<double>(n) / height - 0.5) * 180);
}
float MapLongitude(int width, int x) {
  return static_cast<float>((static_cast<double>(x) / width - 0.5) * 360);
}

}  // namespace

PrayerMapWalk StartPrayerMap(int width, int height, int32_t hourAngleMinutes, double declination,
                             float fajrAngle, float ishaAngle) {
  PrayerMapWalk walk;
  walk.width = width;
  walk.height = height;
  walk.hourAngle = hourAngleMinutes;
  walk.declination = declination;
  walk.twilightSine = std::sin(((static_cast<double>(fajrAngle) + ishaAngle) / 2) * kPi / 180);
  return walk;
}

Rgb PrayerMapColour(PrayerMapWalk& w, int x, int n, int bit) {
  if (x == 0) {
    if (n == 0) {
      w.noonColumn = static_cast<int>(
          std::trunc((0.5 - static_cast<double>(w.hourAngle) / 1440) * w.width - 1));
    }
    // NOTE: the noon column is brought into the image from either side: east
    // of Greenwich the sun's hour angle there is below -12 hours for much of
    // the local morning, which would put the column past the right edge.
    if (w.noonColumn < 0) w.noonColumn += w.width;
    if (w.noonColumn >= w.width) w.noonColumn -= w.width;
    const double latitude = (static_cast<double>(n) / w.height - 0.5) * kPi;
    const double t = std::fabs(std::tan(latitude - w.declination));
    w.asr1Sine = std::sin(std::atan2(1.0, -1 - t));
    w.asr2Sine = std::sin(std::atan2(1.0, -2 - t));
    w.k1 = std::sin(w.declination) * std::sin(latitude);
    w.k2 = std::cos(w.declination) * std::cos(latitude);
    w.midDayColumn = w.noonColumn - w.twilightCount / 4;
    if (w.midDayColumn < 0) w.midDayColumn += w.width;
    w.twilightCount = 0;
    w.previous = 0;
  }
  const double tau = ((x + 2.0) / w.width - 0.5) * 1440 + w.hourAngle;
  const double e = std::cos(tau * 0.25 * kPi / 180) * w.k2 + w.k1;
  if (w.midDayColumn != w.noonColumn && x == w.midDayColumn && e > kSin5Deg) {
    return PrayerPalette[9];
  }
  if (x == w.noonColumn + 1) return PrayerPalette[10];
  if (w.previous > w.asr1Sine && e < w.asr1Sine) {
    w.previous = e;
    return PrayerPalette[11];
  }
  if (w.previous > w.asr2Sine && e < w.asr2Sine) {
    w.previous = e;
    return PrayerPalette[12];
  }
  w.previous = e;
  const int k = 4 * bit;
  if (e > kSin5Deg) return PrayerPalette[k + 4];
  if (e > kSinMinus1Deg) return PrayerPalette[k + 3];
  if (e > w.twilightSine) {
    ++w.twilightCount;
    return PrayerPalette[k + 2];
  }
  return PrayerPalette[k + 1];
}

double QiblaMapBearing(int width, int height, int x, int n) {
  const double delta = (static_cast<double>(x) / width - 0.5) * kTwoPi - kKaabaLongitudeRad;
  const double latitude = (static_cast<double>(n) / height - 0.5) * kPi;
  const double kaabaLatitude = kKaabaLatitudeRad;
  const double q = std::atan2(std::sin(delta), std::tan(kaabaLatitude) * std::cos(latitude) -
                                                   std::sin(latitude) * std::cos(delta)) *
                       -kDegPerRad +
                   180;
  return q;
}

Rgb QiblaMapColour(int width, int height, int x, int n, int bit) {
  const int sector = static_cast<int>(std::trunc(QiblaMapBearing(width, height, x, n))) / 15;
  if (sector % 2 != 0) return bit ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
  return bit ? Rgb{192, 192, 192} : Rgb{64, 64, 64};
}

Rgb DeclinationMapColour(AstroState& state, int width, int height, float altitudeKm, int x, int n,
                         int bit) {
  ComputeGeomagneticField(state, DayNumber(state), MapLatitude(height, n), MapLongitude(width, x),
                          altitudeKm);
  return DeclinationBandColour(state.magDeclination, bit);
}

Rgb DeclinationBandColour(float declinationDeg, int bit) {
  int band = static_cast<int>(std::trunc(static_cast<double>(declinationDeg)));
  if (band < 0) band = -band;
  band /= 5;
  if (band > 13) band = 13;
  return kDeclinationBands[band][bit];
}

bool BuildWorldMap(int kind, WorldMapJob& job, Image* map) {
  const uint8_t* earth = job.earthBitmap != nullptr ? job.earthBitmap : kEarthBitmap;
  const int width = ReadInt32(earth + 4);
  const int height = ReadInt32(earth + 8);
  if (ReadInt32(earth + 16) != 0 || ReadUint16(earth + 14) != 1) return false;
  const uint8_t* stream = earth + kDibHeaderBytes + kColourTableBytes;

  AstroState& state = *job.state;
  state.evalMinutes = state.clockMinutes;
  UpdateSunAtTime(state);
  const int32_t hourAngle = static_cast<int32_t>(
      std::trunc(HourAngleMinutes(state) - static_cast<double>(state.longitudeMinutes)));

  PrayerMapWalk walk = StartPrayerMap(width, height, hourAngle, state.declination, job.fajrAngle,
                                      job.ishaAngle);
  const float altitudeKm = static_cast<float>(job.sightAltitude * 0.001);

  // The declination map evaluates the field at every pixel; what a row (the
  // latitude) and a column (the longitude) share is prepared once, with the
  // same arithmetic as DeclinationMapColour's point-by-point evaluation.
  GeomagneticDate date;
  GeomagneticLatitude rowField;
  std::vector<GeomagneticLongitude> columnFields;
  if (kind == kDeclinationMap) {
    PrepareGeomagneticDate(DayNumber(state), &date);
    columnFields.resize(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) {
      PrepareGeomagneticLongitude(date, MapLongitude(width, x), &columnFields[x]);
    }
  }

  *map = Image(width, height);
  uint8_t byte = 0;
  for (int n = 0; n < height; ++n) {
    if (kind == kDeclinationMap) {
      PrepareGeomagneticLatitude(date, MapLatitude(height, n), altitudeKm, &rowField);
    }
    for (int x = 0; x < width; ++x) {
      if (x % 8 == 0) byte = *stream++;
      const int bit = byte >> 7;
      byte = static_cast<uint8_t>(byte << 1);
      Rgb colour;
      if (kind == kPrayerMap) {
        colour = PrayerMapColour(walk, x, n, bit);
      } else if (kind == kQiblaMap) {
        colour = QiblaMapColour(width, height, x, n, bit);
      } else {
        SumGeomagneticField(state, rowField, columnFields[x]);
        colour = DeclinationBandColour(state.magDeclination, bit);
      }
      map->At(x, height - 1 - n) = colour;
    }
  }
  const int markerX = (job.longitude + 18000) * (width - 1) / 36000;
  const int markerY = (9000 - job.latitude) * (height - 1) / 18000;
  if (map->Contains(markerX, markerY)) map->At(markerX, markerY) = kObserverMarker;
  if (kind == kDeclinationMap) state.MagneticValid = 0;
  return true;
}

bool DrawWorldMap(int kind, Canvas& canvas, WorldMapJob& job) {
  Image map;
  if (!BuildWorldMap(kind, job, &map)) return false;
  canvas.StretchImage(map, 0, 0, map.width, map.height, 0, 0, canvas.Width(), canvas.Height());
  return true;
}

}  // namespace korvana
