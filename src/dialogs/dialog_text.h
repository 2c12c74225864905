#pragma once
// How the dialogs read numbers out of the text of their fields. The Win32
// side only fetches the text; these rules decide what it means, the same in
// every build.

#include <cstdint>
#include <string_view>

namespace korvana {

// The outcome of a dialog's field checks.
struct FieldCheck {
  bool passed = false;
  // The field that holds the keyboard focus afterwards: the one that failed,
  // or the last one checked.
  int focusId = 0;
};

// A whole number as the dialog manager's integer reader takes it: blanks
// around it are allowed, a '-' (or '+') only when `isSigned`; anything else,
// an empty text, or a value beyond 32 bits fails. Used for the margins, the
// calculation mode, the row number and the Options dialog's minute fields.
bool ReadFieldInteger(std::string_view text, bool isSigned, int32_t* out);

// The same reader where a failure simply reads as 0 (the Tally fields).
int32_t ReadFieldIntegerOrZero(std::string_view text);

// The longest decimal number at the start of `text`, as the standard
// text-to-number conversion finds it: leading blanks, a sign, digits with an
// optional '.', an optional exponent. A ',' ends the number, so "41,01"
// reads as 41. Text without a number reads as 0.
double ReadLeadingDecimal(std::string_view text);

// The leading number of `text` (as ReadLeadingDecimal) in units of
// 1/unitsPerOne, rounded to the nearest unit with halves away from zero, so
// that a typed 41.01 degrees is 4101 hundredths and 5.5 hours 330 minutes.
// The decimal digits are used exactly. unitsPerOne is 1..1000. Fails when
// the result does not fit into 32 bits; text without a number gives 0.
bool ReadLeadingDecimalUnits(std::string_view text, int32_t unitsPerOne, int32_t* out);

// Reads `count` (at most 3) integers separated by `separator`, the way the C
// library's scanf reads "%d/%d/%d" or "%d:%d": each number may have leading
// blanks and a sign, the separator must follow the number at once, and text
// after the last number is ignored. Returns how many numbers were read
// before the first mismatch. A number too large for 32 bits reads as
// INT32_MAX (or INT32_MIN), which no range check accepts.
int ScanSeparatedIntegers(std::string_view text, char separator, int count, int32_t* values);

}  // namespace korvana
