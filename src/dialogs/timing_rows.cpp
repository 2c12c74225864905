#include "dialogs/timing_rows.h"

#include <cstdio>
#include <cstdlib>

#include "engine/geomagnetic.h"
#include "engine/moon.h"
#include "engine/sun.h"

namespace korvana {

namespace {

// Formats of the dialog, in Windows-1252: \260 is the degree sign, \265 the
// micro sign.
constexpr const char* kDegrees = "%5.1f\260";
constexpr const char* kMicroTesla = "%5.1f \265T";
constexpr const char* kMegametres = "%5.1f Mm";
constexpr const char* kGigametres = "%5.1f Gm";
constexpr const char* kPercent = "%%%5.1f";
constexpr const char* kTimeMinutes = "%5.1f'";

// Windows-1252 text to UTF-8. Korvana's texts use only ASCII and the Latin-1
// range 0xA0..0xFF, which maps one to one onto U+00A0..U+00FF.
std::string ToUtf8(const std::string& text) {
  std::string out;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

// An engine value in tenths, shown divided by 10.
std::string FormatTenths(const char* format, int tenths, TimingTextEncoding encoding) {
  char text[32];
  std::snprintf(text, sizeof text, format, tenths / 10.0);
  return encoding == TimingTextEncoding::kUtf8 ? ToUtf8(text) : std::string(text);
}

}  // namespace

std::string FormatMoonLine(int16_t visibilityCode) {
  char text[40];
  if (visibilityCode == kMoonVisibleHere) return ">> Moon visible from here";
  if (visibilityCode == kMoonVisibleElsewhere) return ">> Moon visible from Earth";
  if (visibilityCode > 0) {
    std::snprintf(text, sizeof text, ">>  SUN eclipse  %%%2i  <<", visibilityCode);
    return text;
  }
  if (visibilityCode < 0) {
    std::snprintf(text, sizeof text, ">>  MOON eclipse  %%%2i  <<", std::abs(visibilityCode));
    return text;
  }
  return "";
}

TimingAstroData FormatTimingAstroData(AstroState& s, int16_t crescentVisibility,
                                      int16_t sightAltitude, TimingTextEncoding encoding) {
  TimingAstroData data;
  int next = 0;
  const auto add = [&](int valueId, const char* label, const char* format, int tenths,
                       bool enabled = true) {
    data.rows[next++] = {valueId, label, FormatTenths(format, tenths, encoding), enabled};
  };
  // Each getter runs in its own statement: the order is part of the result.
  const int qibla = GetQiblaAngle(s);
  add(1133, "QIBLA      =", kDegrees, qibla);
  const int sunAzimuth = GetSunAzimuth(s);
  add(1134, "SUN        =", kDegrees, sunAzimuth);
  const int sunElevation = GetSunElevation(s);
  add(1135, "ELEVATION  =", kDegrees, sunElevation);
  const int drift = GetMagneticDeclination(s, sightAltitude);
  add(1146, "Compass Drift  =", kDegrees, drift, s.MagneticDataValid == 1);
  const int flux = GetHorizontalIntensity(s, sightAltitude);
  add(1147, "Geomag. Flux   =", kMicroTesla, flux);
  const int moonAzimuth = GetMoonAzimuth(s);
  add(1143, "Moon Azimuth   =", kDegrees, moonAzimuth);
  const int moonElevation = GetMoonElevation(s);
  add(1144, "Moon Elevation =", kDegrees, moonElevation);
  const int moonPhase = GetMoonPhase(s);
  add(1141, "Moon Phase     =", kDegrees, moonPhase);
  const int moonLatitude = GetMoonLatitude(s);
  add(1142, "Moon Decl.     =", kDegrees, moonLatitude);
  const int moonDistance = GetMoonDistance(s, 1);
  add(1140, "Moon Distance  =", kMegametres, moonDistance);
  const int illumination = GetMoonIllumination(s);
  add(1145, "Moon Illumin.  =", kPercent, illumination);
  const int sunDistance = GetSunDistance(s);
  add(1136, "Sun Distance   =", kGigametres, sunDistance);
  const int ecliptic = GetSunEclipticLongitude(s);
  add(1137, "Ecliptic       =", kDegrees, ecliptic);
  const int sunDeclination = GetSunDeclination(s);
  add(1138, "Sun Decl.      =", kDegrees, sunDeclination);
  const int equationOfTime = GetEquationOfTime(s);
  add(1139, "Time Equation  =", kTimeMinutes, equationOfTime);

  data.moonLine = FormatMoonLine(GetMoonVisibility(s, crescentVisibility, sightAltitude));
  return data;
}

}  // namespace korvana
