// The tally counters without a window: their INI keys, the Add arithmetic
// and the names' length.

#include <gtest/gtest.h>

#include <string>

#include "dialogs/tally_dialog.h"

namespace korvana {
namespace {

TEST(Tally, KeysAndDefaultNames) {
  EXPECT_EQ(TallyNameKey(1), "Tally-1 Name");
  EXPECT_EQ(TallyValueKey(3), "Tally-3 Value");
  EXPECT_EQ(TallyIncrementKey(5), "Tally-5 Increment");
  EXPECT_EQ(DefaultTallyName(4), "Tally-4");
}

TEST(Tally, Add) {
  const struct {
    const char* name;
    const char* value;
    const char* increment;
    int32_t sum;
  } cases[] = {
      {"fresh_counter", "0", "1", 1},
      {"count_down", "10", "-1", 9},
      {"value_not_a_number", "abc", "5", 5},
      {"increment_not_a_number", "7", "x", 7},
      {"empty_fields", "", "", 0},
      {"blanks_around", " 12 ", " 3", 15},
      {"stops_at_largest", "2147483647", "1", INT32_MAX},
      {"stops_at_smallest", "-2147483648", "-1", INT32_MIN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AddTallyIncrement(c.value, c.increment), c.sum);
  }
}

TEST(Tally, ThreePressesCountingDown) {
  std::string value = "10";
  for (int press = 0; press < 3; ++press) value = std::to_string(AddTallyIncrement(value, "-1"));
  EXPECT_EQ(value, "7");
}

TEST(Tally, NamesCutTo32Characters) {
  const std::string forty = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
  ASSERT_EQ(forty.size(), 40u);
  EXPECT_EQ(CutTallyName(forty), "abcdefghijklmnopqrstuvwxyz012345");
  EXPECT_EQ(CutTallyName("Subhanallah"), "Subhanallah");
  EXPECT_EQ(CutTallyName(""), "");
}

}  // namespace
}  // namespace korvana
