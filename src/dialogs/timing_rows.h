#pragma once
// The Timing dialog's angle and astronomical rows and its moon line, formatted
// as the dialog shows them. The dialog and the console front end share this.

#include <array>
#include <cstdint>
#include <string>

#include "engine/astro_state.h"

namespace korvana {

// Byte encoding of the degree and micro signs in the formatted values.
enum class TimingTextEncoding {
  kWindows1252,  // the dialog's own bytes, 0xB0 and 0xB5
  kUtf8,         // for a console
};

struct TimingRow {
  int valueId;        // dialog control that shows the value
  const char* label;  // the label text of the dialog template, e.g. "QIBLA      ="
  std::string value;  // formatted value, e.g. "151.6" followed by a degree sign
  bool enabled;       // false: shown greyed (Compass Drift without valid model data)
};

constexpr int kTimingRowCount = 15;

struct TimingAstroData {
  // QIBLA, SUN, ELEVATION, then the astronomical data, in the dialog's order.
  std::array<TimingRow, kTimingRowCount> rows;
  std::string moonLine;  // visibility or eclipse verdict; may be empty
};

// Reads the engine at its current location, date and clock time, in the
// order the dialog does (the order matters: the getters share state fields).
// crescentVisibility in units of 0.02 degree and sightAltitude in metres are
// the settings of the same names.
TimingAstroData FormatTimingAstroData(AstroState& s, int16_t crescentVisibility,
                                      int16_t sightAltitude, TimingTextEncoding encoding);

// The moon line for a MoonVisibilityCode: ">> Moon visible from here", the
// eclipse texts, or "" for a crescent too thin to be seen.
std::string FormatMoonLine(int16_t visibilityCode);

}  // namespace korvana
