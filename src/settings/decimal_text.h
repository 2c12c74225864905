#pragma once
// Decimal degrees and hours typed as text, turned into the program's integer
// units (hundredths of a degree, minutes) by rounding to the nearest unit, so
// that a typed 41.01 is 4101 and not 4100.

#include <cstdint>
#include <string_view>

namespace korvana {

// Parses the whole of `text` as a decimal number (optional sign, digits,
// optional '.' and digits; `decimalComma` also accepts ',' as the point) and
// gives it in units of 1/unitsPerOne, rounded to nearest. Fails on anything
// else, and when the result lies outside [min, max].
bool ParseDecimalUnits(std::string_view text, int32_t unitsPerOne, int32_t min,
                       int32_t max, int32_t* out, bool decimalComma = false);

// Parses the whole of `text` as a signed decimal integer within [min, max].
bool ParseWholeNumber(std::string_view text, int32_t min, int32_t max, int32_t* out);

}  // namespace korvana
