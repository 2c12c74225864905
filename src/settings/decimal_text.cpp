#include "settings/decimal_text.h"

#include <cmath>

namespace korvana {

bool ParseDecimalUnits(std::string_view text, int32_t unitsPerOne, int32_t min,
                       int32_t max, int32_t* out, bool decimalComma) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Integer arithmetic on the digits: no locale, no binary rounding surprises.
  long double whole = 0;
  long double fraction = 0;
  long double scale = 1;
  int digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    whole = whole * 10 + (text[i++] - '0');
    ++digits;
    if (digits > 12) return false;
  }
  if (i < text.size() && (text[i] == '.' || (decimalComma && text[i] == ','))) {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      if (scale < 1e15L) {
        fraction = fraction * 10 + (text[i] - '0');
        scale *= 10;
      }
      ++i;
      ++digits;
    }
  }
  if (digits == 0 || i != text.size()) return false;
  const long double units = (whole + fraction / scale) * unitsPerOne;
  long double rounded = std::floor(units + 0.5L);
  if (negative) rounded = -rounded;
  if (rounded < min || rounded > max) return false;
  *out = static_cast<int32_t>(rounded);
  return true;
}

int32_t LeadingDecimalUnits(std::string_view text, int32_t unitsPerOne) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Exact integer arithmetic: whole part, then up to nine fraction digits.
  constexpr uint64_t kWholeLimit = 1000000000ULL;  // beyond this the result is held at the limit
  uint64_t whole = 0;
  bool huge = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    whole = whole * 10 + static_cast<uint64_t>(text[i++] - '0');
    if (whole >= kWholeLimit) {
      huge = true;
      whole = kWholeLimit;
    }
  }
  uint64_t fraction = 0;
  uint64_t scale = 1;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      if (scale < kWholeLimit) {
        fraction = fraction * 10 + static_cast<uint64_t>(text[i] - '0');
        scale *= 10;
      }
      ++i;
    }
  }
  const uint64_t units = static_cast<uint64_t>(unitsPerOne);
  uint64_t result = whole * units + fraction * units / scale;
  if (2 * (fraction * units % scale) >= scale) ++result;
  constexpr uint64_t kMax = 2147483647ULL;
  if (huge || result > kMax) result = kMax;
  return negative ? -static_cast<int32_t>(result) : static_cast<int32_t>(result);
}

bool ParseWholeNumber(std::string_view text, int32_t min, int32_t max, int32_t* out) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
    if (value > 1000000000LL) return false;
  }
  if (negative) value = -value;
  if (value < min || value > max) return false;
  *out = static_cast<int32_t>(value);
  return true;
}

}  // namespace korvana
