#include "dialogs/tally_dialog.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "dialogs/dialog_text.h"

namespace korvana {

namespace {

std::string TallyText(const char* format, int n) {
  char text[32];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

}  // namespace

std::string TallyNameKey(int n) { return TallyText("Tally-%i Name", n); }
std::string TallyValueKey(int n) { return TallyText("Tally-%i Value", n); }
std::string TallyIncrementKey(int n) { return TallyText("Tally-%i Increment", n); }
std::string DefaultTallyName(int n) { return TallyText("Tally-%i", n); }

int32_t AddTallyIncrement(std::string_view valueText, std::string_view incrementText) {
  const int64_t sum = int64_t{ReadFieldIntegerOrZero(valueText)} +
                      int64_t{ReadFieldIntegerOrZero(incrementText)};
  return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

std::string CutTallyName(std::string_view name) {
  return std::string(name.substr(0, kTallyNameLength));
}

}  // namespace korvana
