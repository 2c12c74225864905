#pragma once
// The tally counters' keys and arithmetic. Each counter N = 1..5 keeps its
// name, value and increment in the "Options" section of the INI file.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvana {

inline constexpr int kTallyCount = 5;
inline constexpr size_t kTallyNameLength = 32;  // characters kept of a typed name
inline constexpr int kDefaultTallyValue = 0;
inline constexpr int kDefaultTallyIncrement = 1;

// "Tally-%i Name", "Tally-%i Value", "Tally-%i Increment".
std::string TallyNameKey(int n);
std::string TallyValueKey(int n);
std::string TallyIncrementKey(int n);
// The default name, "Tally-%i".
std::string DefaultTallyName(int n);

// "Add": the value field plus the increment field, both read as signed whole
// numbers (text that is no number reads as 0). A sum beyond 32 bits stops at
// the largest (or smallest) 32-bit value instead of wrapping round.
int32_t AddTallyIncrement(std::string_view valueText, std::string_view incrementText);

// A typed name as stored and shown in the menu: its first 32 characters.
std::string CutTallyName(std::string_view name);

}  // namespace korvana
