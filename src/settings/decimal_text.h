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

// The text-to-number conversion of typed fields and city-list rows: blanks
// are skipped, then the longest leading decimal number is taken (optional
// sign, digits, optional '.' and digits; no exponent) and the rest ignored;
// text without a number reads as 0. The number is given in units of
// 1/unitsPerOne (unitsPerOne 1..10000), rounded to the nearest unit, half
// away from zero, and held within the 32-bit range.
int32_t LeadingDecimalUnits(std::string_view text, int32_t unitsPerOne);

// Parses the whole of `text` as a signed decimal integer within [min, max].
bool ParseWholeNumber(std::string_view text, int32_t min, int32_t max, int32_t* out);

}  // namespace korvana
