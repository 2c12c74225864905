#pragma once
// The three world maps drawn from the `_earth_` land mask: day and night
// with the noon, MID-DAY and Asr lines; sectors of equal qibla direction;
// the size of the magnetic declination.

#include <cstdint>

#include "engine/astro_state.h"
#include "graphics/canvas.h"

namespace korvana {

// The maps' command identifiers.
enum WorldMapKind : int {
  kPrayerMap = 1036,
  kQiblaMap = 1037,
  kDeclinationMap = 1038,
};

struct WorldMapJob {
  AstroState* state = nullptr;  // date and clock minute; the observer's location
  int latitude = 0;             // the observer, hundredths of a degree, north positive
  int longitude = 0;            // the observer, hundredths of a degree, east positive
  float fajrAngle = -18.0f;     // degrees, negative below the horizon
  float ishaAngle = -17.0f;     // degrees, negative below the horizon
  int sightAltitude = 0;        // metres
  const uint8_t* earthBitmap = nullptr;  // `_earth_` as a DIB; null: the embedded one
};

// What the prayer map keeps while it walks the image.
struct PrayerMapWalk {
  int width = 0;           // image columns W_b
  int height = 0;          // image rows H_b
  int32_t hourAngle = 0;   // G: the sun's hour angle at longitude 0, whole minutes of time
  double declination = 0; // the sun's, radians
  double twilightSine = 0; // sine of the mean of the Fajr and Isha angles
  int noonColumn = 0;      // r
  int midDayColumn = 0;    // m
  double previous = 0;     // p: the sun-elevation sine of the last ordinary pixel
  int twilightCount = 0;   // T: twilight pixels of the row so far
  double asr1Sine = 0;     // sine of the ASR-I elevation of the row
  double asr2Sine = 0;     // sine of the ASR-II elevation of the row
  double k1 = 0;           // sin(declination) sin(row latitude)
  double k2 = 0;           // cos(declination) cos(row latitude)
};

// Sets up the walk for an image of width x height and the sun's hour angle
// G and declination; angles in degrees.
PrayerMapWalk StartPrayerMap(int width, int height, int32_t hourAngleMinutes, double declination,
                             float fajrAngle, float ishaAngle);
// The colour of image column x of row n (0 = southernmost) with its land
// bit; called for every pixel in row order, x = 0 first.
Rgb PrayerMapColour(PrayerMapWalk& walk, int x, int n, int bit);
// The qibla direction plus 180 degrees (0..360, clockwise from north) at
// the south-west corner of pixel (x, n) of a width x height image.
double QiblaMapBearing(int width, int height, int x, int n);
// The colour of a pixel of a width x height image in the qibla map: its
// 15-degree sector of QiblaMapBearing, odd sectors light.
Rgb QiblaMapColour(int width, int height, int x, int n, int bit);
// The colour of a pixel in the declination map: evaluates the geomagnetic
// field for the state's date at altitude `altitudeKm` into the state's
// result fields.
Rgb DeclinationMapColour(AstroState& state, int width, int height, float altitudeKm, int x, int n,
                         int bit);

// The colour of a declination in degrees (east positive) by its size in
// 5-degree bands, sea (bit 0) or land (bit 1).
Rgb DeclinationBandColour(float declinationDeg, int bit);

// The map of `kind` at the land mask's own size, the observer's pixel
// marked red. False, and nothing made, when the mask is compressed or not
// one bit per pixel. The declination map leaves MagneticValid clear.
bool BuildWorldMap(int kind, WorldMapJob& job, Image* map);

// BuildWorldMap, then the map stretched over the whole canvas. False, and
// nothing drawn, when the mask is not usable.
bool DrawWorldMap(int kind, Canvas& canvas, WorldMapJob& job);

}  // namespace korvana
