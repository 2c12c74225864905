#include "graphics/picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "data/embedded_bitmaps.h"
#include "graphics/bmp_file.h"
#include "engine/moon.h"
#include "engine/sun.h"
#include "engine/units.h"
#include "platform/desktop.h"

namespace korvana {

namespace {

constexpr int kDibHeaderBytes = 40;
constexpr int kFileHeaderBytes = 14;
constexpr int kMoonColourTableBytes = 64;
constexpr int kEarthColourTableBytes = 8;
constexpr double kTwilightBandHalfWidthRad = 0.3141592653589793;  // 18 degrees

int32_t ReadInt32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 |
                              static_cast<uint32_t>(p[3]) << 24);
}

void PutInt32(uint8_t* p, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

int RoundUpTo4(int bytes) { return (bytes + 3) / 4 * 4; }

// The 14-byte file header and the 40-byte header of a 24-bit picture, from
// the source bitmap's header: only the width, the bit count and the image
// size change.
void WriteHeaders(std::vector<uint8_t>& out, const uint8_t* sourceHeader, int32_t width) {
  uint8_t file[kFileHeaderBytes] = {'B', 'M'};  // file size and reserved words 0
  PutInt32(file + 10, kFileHeaderBytes + kDibHeaderBytes);
  out.insert(out.end(), file, file + kFileHeaderBytes);
  uint8_t header[kDibHeaderBytes];
  std::memcpy(header, sourceHeader, kDibHeaderBytes);
  PutInt32(header + 4, width);
  header[14] = 24;
  header[15] = 0;
  PutInt32(header + 20, 0);
  out.insert(out.end(), header, header + kDibHeaderBytes);
}

uint8_t ScaledByte(uint8_t value, double factor) {
  return static_cast<uint8_t>(std::trunc(value * factor));
}

void BuildMoon(std::vector<uint8_t>& out, int phaseTenths, bool south, const uint8_t* moon) {
  const int32_t width = ReadInt32(moon + 4);
  const int32_t height = ReadInt32(moon + 8);
  const uint8_t* table = moon + kDibHeaderBytes;
  const uint8_t* pixels = table + kMoonColourTableBytes;
  const int sourceRowBytes = RoundUpTo4(width / 2 + width % 2);

  double f = phaseTenths / 3600.0;  // 0 new moon, 0.5 full moon
  const double cosine = std::cos(f * kPi);
  const double earthshine = cosine * cosine / 8;
  const bool waning = f > 0.5;
  if (waning) f -= 0.5;

  WriteHeaders(out, moon, width);
  const int outputRowBytes = RoundUpTo4(width * 3);
  std::vector<uint8_t> indices(static_cast<size_t>(sourceRowBytes) * 2);
  for (int32_t r = 0; r < height; ++r) {
    const int32_t sourceRow = south ? height - 1 - r : r;
    const uint8_t* row = pixels + static_cast<size_t>(sourceRow) * sourceRowBytes;
    for (int i = 0; i < sourceRowBytes; ++i) {
      indices[2 * i] = row[i] >> 4;
      indices[2 * i + 1] = row[i] & 0x0F;
    }
    // The southern hemisphere sees the moon turned by 180 degrees.
    if (south) {
      for (int32_t j = 0; j < width / 2; ++j) std::swap(indices[j], indices[width - 1 - j]);
    }
    const double y = 2.0 * r / height - 1;
    const double halfChord = std::cos(std::asin(y));
    double t = std::cos(kTwoPi * f) * halfChord;
    if (south) t = -t;
    const double terminator = (1 + t) * width * 0.5 - 1;
    for (int32_t x = 0; x < width; ++x) {
      double d = std::trunc(terminator - x);
      if (waning) d = -d;
      if (south) d = -d;
      double k;
      if (d > 3) {
        k = earthshine;
      } else if (d < -2) {
        k = 1;
      } else {
        k = (5 * earthshine + 4 - d) / (d + 9);
      }
      const uint8_t* entry = table + 4 * indices[x];  // blue, green, red, reserved
      out.push_back(ScaledByte(entry[0], k));
      out.push_back(ScaledByte(entry[1], k));
      out.push_back(ScaledByte(entry[2], k));
    }
    out.insert(out.end(), outputRowBytes - width * 3, 0);
  }
}

void PutEarthPixel(std::vector<uint8_t>& out, bool land, double k) {
  if (k == 0) {
    out.insert(out.end(), 3, 0);
  } else if (land) {
    out.push_back(0);
    out.push_back(static_cast<uint8_t>(std::trunc(160 / k)));
    out.push_back(static_cast<uint8_t>(std::trunc(255 / k)));
  } else {
    out.push_back(static_cast<uint8_t>(std::trunc(255 / k)));
    out.push_back(0);
    out.push_back(0);
  }
}

void BuildEarthOrGlobe(std::vector<uint8_t>& out, AstroState& state, bool globe,
                       const uint8_t* earth) {
  const int32_t sourceWidth = ReadInt32(earth + 4);
  const int32_t height = ReadInt32(earth + 8);
  const uint8_t* bits = earth + kDibHeaderBytes + kEarthColourTableBytes;
  const int sourceRowBytes = RoundUpTo4(sourceWidth / 8 + (sourceWidth % 8 != 0 ? 1 : 0));

  state.evalMinutes = state.clockMinutes;
  UpdateSunAtTime(state);
  // The sun's hour angle at longitude 0, minutes of time.
  const double g = std::trunc(state.clockMinutes - (static_cast<double>(state.timeZone) +
                                                     static_cast<double>(state.transit)));
  const double declination = state.declination;
  const bool afterTransit = state.workValue > 0;

  const int32_t width = globe ? height + height / 298 : sourceWidth;
  WriteHeaders(out, earth, width);
  const int outputRowBytes = RoundUpTo4(width * 3);

  // The globe is centred on the sunset line once the sun has passed the
  // observer's meridian, on the sunrise line before.
  const double q = afterTransit ? 1.75 : 1.25;
  const int32_t centreColumn = static_cast<int32_t>(std::trunc((q - g / 1440) * sourceWidth));
  const double sinDeclination = std::sin(declination);
  const double cosDeclination = std::cos(declination);

  for (int32_t r = 0; r < height; ++r) {
    const double y = 2.0 * r / height - 1;
    int32_t sourceRow = r;
    double k1 = 0, k2 = 0, halfWidth = 0, bandStart = 0, bandWidth = 0;
    if (globe) {
      sourceRow = static_cast<int32_t>(std::trunc((std::asin(y) / kPi + 0.5) * height));
      halfWidth = std::cos(std::asin(y));
      bandStart = sinDeclination * 0.5 * y;
      bandWidth = std::sin(kTwilightBandHalfWidthRad) / cosDeclination * 0.5;
    } else {
      const double latitude = y * kPi / 2;
      k1 = sinDeclination * std::sin(latitude);
      k2 = cosDeclination * std::cos(latitude);
    }
    const uint8_t* row = bits + static_cast<size_t>(sourceRow) * sourceRowBytes;
    auto landAt = [&](int32_t column) { return (row[column >> 3] >> (7 - (column & 7))) & 1; };

    for (int32_t x = 0; x < width; ++x) {
      double e = static_cast<double>(x) / width - 0.5;
      double k;
      bool land;
      if (!globe) {
        land = landAt(x);
        const double sine = std::cos((g + 1440 * e) * 0.25 * kPi / 180) * k2 + k1;
        if (sine > 0) {
          k = 1;
        } else if (sine >= -0.3) {
          k = 1 - 10 * sine;
        } else {
          k = 4;
        }
      } else if (!(std::fabs(e / halfWidth) <= 0.5)) {
        land = false;
        k = 0;  // outside the disc
      } else {
        // NOTE: the column is reduced to 0..W-1 also for negative values, so
        // that no time-zone setting can point outside the row.
        int32_t column = static_cast<int32_t>(
            std::trunc(std::asin(2 * e / halfWidth) * sourceWidth / kPi * 0.5 + centreColumn));
        column %= sourceWidth;
        if (column < 0) column += sourceWidth;
        land = landAt(column);
        if (!afterTransit) e = -e;
        if (e < bandStart) {
          k = 1;
        } else if (e > bandStart + bandWidth) {
          k = 4;
        } else {
          k = 3 / bandWidth * (e - bandStart) + 1;
        }
      }
      PutEarthPixel(out, land, k);
    }
    out.insert(out.end(), outputRowBytes - width * 3, 0);
  }
}

}  // namespace

std::vector<uint8_t> BuildMoonPicture(int phaseTenths, bool south, const uint8_t* moonBitmap) {
  std::vector<uint8_t> out;
  BuildMoon(out, phaseTenths, south, moonBitmap != nullptr ? moonBitmap : kMoonBitmap);
  return out;
}

std::vector<uint8_t> BuildPicture(int kind, AstroState& state, int latitude,
                                  const uint8_t* moonBitmap, const uint8_t* earthBitmap) {
  std::vector<uint8_t> out;
  if (kind == kMoonPicture) {
    BuildMoon(out, GetMoonPhase(state), latitude < 0,
              moonBitmap != nullptr ? moonBitmap : kMoonBitmap);
  } else if (kind == kEarthPicture || kind == kGlobePicture) {
    BuildEarthOrGlobe(out, state, kind == kGlobePicture,
                      earthBitmap != nullptr ? earthBitmap : kEarthBitmap);
  }
  return out;
}

bool DrawPictureView(Canvas& canvas, int kind, const std::vector<uint8_t>& pictureFile) {
  Image picture;
  if (!DecodeBmp24(pictureFile, &picture)) return false;
  const int w = canvas.Width();
  const int h = canvas.Height();
  int width = w;
  int height = h;
  if (kind != kEarthPicture) {
    width = height = 2 * std::min(w, h) / 3;
  }
  canvas.StretchImage(picture, 0, 0, picture.width, picture.height, (w - width) / 2,
                      (h - height) / 2, width, height);
  return true;
}

int RenderPicture(int kind, PictureJob& job) {
  const bool refresh = kind == kNoPicture;
  if (refresh) {
    if (job.graphWindowVisible || job.wallpaper == nullptr) return 0;
    kind = job.wallpaper->WallpaperMode;
    if (kind < kMoonPicture || kind > kGlobePicture) return 0;
  }
  if (job.desktop != nullptr) job.desktop->SetBackgroundColour(0, 0, 0);
  if (refresh) {
    job.wallpaper->NextWallpaperRefresh =
        job.wallpaper->UniversalMinuteCount +
        (kind == kMoonPicture ? kMoonRefreshMinutes : kEarthRefreshMinutes);
  }
  const std::vector<uint8_t> bytes =
      BuildPicture(kind, *job.state, job.latitude, job.moonBitmap, job.earthBitmap);
  const std::string path = job.folder + kPictureFileName;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  // NOTE: a picture that could not be written whole is not handed on.
  if (!written || !closed) {
    std::remove(path.c_str());
    return 0;
  }
  if (refresh && job.desktop != nullptr) job.desktop->ShowAsWallpaper(path);
  return 1;
}

}  // namespace korvana
