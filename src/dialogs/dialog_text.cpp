#include "dialogs/dialog_text.h"

#include <charconv>
#include <limits>
#include <string>

namespace korvana {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipBlanks(std::string_view text, size_t i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

// Where the leading decimal number lies in a text: its unsigned part is
// text[digits, end), with the exponent (if any) from `exponent` on.
struct LeadingNumber {
  bool found = false;
  bool negative = false;
  size_t digits = 0;
  size_t exponent = 0;  // == end when there is no exponent
  size_t end = 0;
};

LeadingNumber FindLeadingNumber(std::string_view text) {
  LeadingNumber n;
  size_t i = SkipBlanks(text, 0);
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) n.negative = text[i++] == '-';
  n.digits = i;
  size_t mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return n;
  n.found = true;
  n.exponent = n.end = i;
  // An exponent counts only when digits follow its letter (and sign).
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      n.end = j;
    }
  }
  return n;
}

// With unitsPerOne at most 1000, a 15-digit mantissa times the units stays
// below 10^18, and 10^19 is the largest power of ten in 64 bits.
constexpr int kMaxMantissaDigits = 15;
constexpr int kMaxDivisorDigits = 19;
constexpr int64_t kMaxExponent = 100000;  // far beyond any 32-bit result

}  // namespace

bool ReadFieldInteger(std::string_view text, bool isSigned, int32_t* out) {
  size_t i = SkipBlanks(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-' && !isSigned) return false;
    negative = text[i++] == '-';
  }
  const size_t first = i;
  int64_t value = 0;
  while (i < text.size() && IsDigit(text[i])) {
    value = value * 10 + (text[i++] - '0');
    if (value > (int64_t{1} << 32)) return false;
  }
  if (i == first || SkipBlanks(text, i) != text.size()) return false;
  if (negative) value = -value;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    return false;
  *out = static_cast<int32_t>(value);
  return true;
}

int32_t ReadFieldIntegerOrZero(std::string_view text) {
  int32_t value = 0;
  return ReadFieldInteger(text, true, &value) ? value : 0;
}

double ReadLeadingDecimal(std::string_view text) {
  const LeadingNumber n = FindLeadingNumber(text);
  if (!n.found) return 0.0;
  double value = 0.0;
  const std::from_chars_result r =
      std::from_chars(text.data() + n.digits, text.data() + n.end, value);
  // Out of range: the conversion's overflow value, which no check accepts.
  if (r.ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::infinity();
  return n.negative ? -value : value;
}

bool ReadLeadingDecimalUnits(std::string_view text, int32_t unitsPerOne, int32_t* out) {
  const LeadingNumber n = FindLeadingNumber(text);
  if (!n.found) {
    *out = 0;
    return true;
  }
  // value = mantissa x 10^exponent with the digits taken exactly; digits
  // beyond the 15th only move the exponent (they cannot change a rounding
  // to the nearest unit of any number that fits the result).
  uint64_t mantissa = 0;
  int mantissaDigits = 0;
  int64_t exponent = 0;
  bool afterPoint = false;
  for (size_t i = n.digits; i < n.exponent; ++i) {
    if (text[i] == '.') {
      afterPoint = true;
      continue;
    }
    if (mantissaDigits < kMaxMantissaDigits) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
      if (mantissa != 0) ++mantissaDigits;
      if (afterPoint) --exponent;
    } else if (!afterPoint) {
      ++exponent;
    }
  }
  if (n.exponent < n.end) {
    size_t i = n.exponent + 1;
    const bool negativeExponent = text[i] == '-';
    if (text[i] == '+' || text[i] == '-') ++i;
    int64_t written = 0;
    for (; i < n.end; ++i) {
      if (written < kMaxExponent) written = written * 10 + (text[i] - '0');
    }
    exponent += negativeExponent ? -written : written;
  }
  // units = mantissa x unitsPerOne x 10^exponent, rounded half away from
  // zero; mantissa x unitsPerOne stays below 10^18.
  uint64_t units = mantissa * static_cast<uint64_t>(unitsPerOne);
  constexpr uint64_t kLimit = uint64_t{1} << 31;
  if (exponent >= 0) {
    for (int64_t k = 0; k < exponent && units != 0; ++k) {
      if (units > kLimit) return false;
      units *= 10;
    }
  } else if (exponent < -kMaxDivisorDigits) {
    units = 0;  // less than 10^18 / 10^20: below half a unit
  } else {
    uint64_t divisor = 1;
    for (int64_t k = 0; k < -exponent; ++k) divisor *= 10;
    const uint64_t remainder = units % divisor;
    units = units / divisor + (remainder >= divisor - remainder ? 1 : 0);
  }
  if (units >= kLimit) return false;
  const int64_t magnitude = static_cast<int64_t>(units);
  *out = static_cast<int32_t>(n.negative ? -magnitude : magnitude);
  return true;
}

int ScanSeparatedIntegers(std::string_view text, char separator, int count, int32_t* values) {
  size_t i = 0;
  for (int read = 0; read < count; ++read) {
    if (read > 0) {
      if (i >= text.size() || text[i] != separator) return read;
      ++i;
    }
    i = SkipBlanks(text, i);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i])) return read;
    int64_t value = 0;
    while (i < text.size() && IsDigit(text[i])) {
      if (value <= std::numeric_limits<int32_t>::max()) value = value * 10 + (text[i] - '0');
      ++i;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
    values[read] = static_cast<int32_t>(value);
  }
  return count;
}

}  // namespace korvana
