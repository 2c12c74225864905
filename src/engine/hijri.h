#pragma once
// The Hijri date of the state's civil date, from the engine's own lunar
// theory, and the names of the holy days and nights.

#include "engine/astro_state.h"

namespace korvana {

// Day of the Hijri month 1..30; also stores the Hijri month and year and sets
// HijriValid. Always searches.
int16_t GetHijriDay(AstroState& s);
// Hijri month 1..12; searches only when HijriValid is 0.
int16_t GetHijriMonth(AstroState& s);
// Hijri year, e.g. 1435; searches only when HijriValid is 0.
int16_t GetHijriYear(AstroState& s);
// Name of the holy day or night the state's date carries, or "".
const char* GetHolyDayName(AstroState& s);

}  // namespace korvana
