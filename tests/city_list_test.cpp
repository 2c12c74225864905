#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/city_list.h"
#include "settings/decimal_text.h"
#include "temp_folder.h"

namespace korvana {
namespace {

using testing::TempFolder;

const std::string kSample = std::string(KORVANA_TEST_DATA_DIR) + "/settings/city_list_sample.csv";

// A location that no row of the sample holds, to see what a read changes.
CalcParams Before(int row) {
  CalcParams p;
  p.cityNumber = row;
  p.cityName = "Before";
  p.countryName = "Unchanged";
  p.timeZone = 11;
  p.latitude = 22;
  p.longitude = 33;
  return p;
}

TEST(CityList, ReadsTheRowAsked) {
  const struct {
    const char* name;
    int row;
    CityRowResult result;
    const char* city;
    const char* country;
    int timeZone, latitude, longitude;
  } cases[] = {
      // Rounded to the nearest unit: 41,01 is 4101 and 28,97 is 2897.
      {"istanbul_with_commas", 1, CityRowResult::kRead, "Istanbul", "Turkey", 120, 4101, 2897},
      {"empty_field_skipped", 2, CityRowResult::kRead, "Mecca", "Saudi Arabia", 180, 2142, 3983},
      {"south_and_west", 3, CityRowResult::kRead, "Santiago", "Chile", -240, -3345, -7067},
      {"names_cut_to_15", 4, CityRowResult::kRead, "Kahramanmaras M", "Republic of Tur", 120,
       3758, 3693},
      {"fewer_than_five_fields", 5, CityRowResult::kNotAPlace, "Before", "Unchanged", 11, 22, 33},
      {"half_hours_and_further_fields", 6, CityRowResult::kRead, "St. John's", "Canada", -210,
       4756, -5271},
      {"empty_line", 8, CityRowResult::kNotAPlace, "Before", "Unchanged", 11, 22, 33},
      {"last_line", 9, CityRowResult::kRead, "Mumbai", "India", 330, 1907, 7288},
      {"beyond_the_end_is_the_last_line", 30000, CityRowResult::kRead, "Mumbai", "India", 330,
       1907, 7288},
      {"row_zero_is_the_first", 0, CityRowResult::kRead, "Istanbul", "Turkey", 120, 4101, 2897},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CalcParams p = Before(c.row);
    EXPECT_EQ(ReadCityListRow(kSample, p), c.result);
    EXPECT_EQ(p.cityName, c.city);
    EXPECT_EQ(p.countryName, c.country);
    EXPECT_EQ(p.timeZone, c.timeZone);
    EXPECT_EQ(p.latitude, c.latitude);
    EXPECT_EQ(p.longitude, c.longitude);
    EXPECT_EQ(p.cityNumber, c.row);  // the row number itself stays
  }
}

TEST(CityList, OddFiles) {
  const std::string longName(300, 'L');
  const struct {
    const char* name;
    std::string contents;  // "<none>": no file
    int row;
    CityRowResult result;
    const char* city;
    int latitude;
  } cases[] = {
      {"missing_file", "<none>", 1, CityRowResult::kNoList, "Before", 22},
      {"empty_file", "", 1, CityRowResult::kNotAPlace, "Before", 22},
      {"lf_only_and_no_final_break", "A;B;1;2;3\nC;D;1;4,5;6", 2, CityRowResult::kRead, "C", 450},
      {"over_long_line_is_one_row", longName + ";X;1;2;3\nC;D;1;4;5\n", 2, CityRowResult::kRead,
       "C", 400},
      {"fields_beyond_254_characters_are_lost",
       "City;Country;1;" + std::string(240, '0') + "1;2;3\n", 1, CityRowResult::kNotAPlace,
       "Before", 22},
      {"latitude_beyond_the_pole", "A;B;1;95;3\n", 1, CityRowResult::kNotAPlace, "Before", 22},
      {"zone_beyond_14_hours", "A;B;15;5;3\n", 1, CityRowResult::kNotAPlace, "Before", 22},
      {"garbage_number_reads_as_zero", "A;B;x;lat;3\n", 1, CityRowResult::kRead, "A", 0},
      {"blanks_before_numbers", "A;B; 1 ; 41.01 ;3\n", 1, CityRowResult::kRead, "A", 4101},
      {"only_semicolons", ";;;;;;;\n", 1, CityRowResult::kNotAPlace, "Before", 22},
      {"binary_bytes", std::string("\0\xff\x01;\x80;1;2;3\n", 12), 1, CityRowResult::kRead,
       "\x01", 200},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = c.contents == "<none>"
                                 ? folder.File(std::string(c.name) + ".csv")
                                 : folder.Write(std::string(c.name) + ".csv", c.contents);
    CalcParams p = Before(c.row);
    EXPECT_EQ(ReadCityListRow(path, p), c.result);
    if (std::string(c.name) != "binary_bytes") {
      EXPECT_EQ(p.cityName, c.city);
    }
    EXPECT_EQ(p.latitude, c.latitude);
  }
}

TEST(CityList, FindsCitiesByName) {
  std::vector<CityRow> places;
  ASSERT_TRUE(ReadCityList(kSample, &places));
  ASSERT_EQ(places.size(), 7u);  // two lines hold no place
  const struct {
    const char* name;
    const char* wanted;
    std::vector<int> rows;
  } cases[] = {
      {"exact", "Istanbul", {1}},
      {"any_case_and_blanks", "  iSTANBUL ", {1}},
      {"several", "santiago", {3, 7}},
      {"full_name_of_a_cut_one", "Kahramanmaras Merkez", {4}},
      {"none", "Ankara", {}},
      {"no_partial_match", "Istan", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> rows;
    for (const CityRow& place : FindCities(places, c.wanted)) rows.push_back(place.row);
    EXPECT_EQ(rows, c.rows);
  }
  EXPECT_FALSE(ReadCityList(std::string(KORVANA_TEST_DATA_DIR) + "/settings/no-such.csv", &places));
}

TEST(DecimalText, LeadingNumberRoundedToTheNearestUnit) {
  const struct {
    const char* text;
    int32_t unitsPerOne;
    int32_t expected;
  } cases[] = {
      {"41.01", 100, 4101},  {"28.97", 100, 2897},   {"-33.52", 100, -3352},
      {"5.5", 60, 330},      {"-3.5", 60, -210},      {"5.75", 60, 345},
      {"41", 100, 4100},     {"41.005", 100, 4101},   {"-41.005", 100, -4101},
      {"41.0049", 100, 4100}, {"  +2", 60, 120},      {"1.5abc", 60, 90},
      {"abc", 100, 0},       {"", 100, 0},            {"-", 100, 0},
      {".5", 100, 50},       {"41,01", 100, 4100},    {"99999999999999", 100, 2147483647},
      {"-99999999999999", 100, -2147483647},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(LeadingDecimalUnits(c.text, c.unitsPerOne), c.expected);
  }
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

// The list that ships beside the program: every line a place the reader
// takes, names within their buffers, the whole world covered.
TEST(ShippedCityList, EveryLineIsAPlace) {
  const std::string path = std::string(KORVANA_TEST_DATA_DIR) + "/../../data/korvana.csv";
  const std::string bytes = testing::ReadBytes(path);
  const size_t lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  std::vector<CityRow> places;
  ASSERT_TRUE(ReadCityList(path, &places));
  EXPECT_GE(places.size(), 6500u);
  EXPECT_EQ(places.size(), lines);
  bool north = false, south = false, east = false, west = false;
  for (const CityRow& place : places) {
    ASSERT_LE(place.cityName.size(), 15u) << place.row;
    ASSERT_FALSE(place.cityName.empty()) << place.row;
    north |= place.latitude > 6000;
    south |= place.latitude < -4000;
    east |= place.longitude > 15000;
    west |= place.longitude < -15000;
  }
  EXPECT_TRUE(north && south && east && west);
  const struct {
    const char* city;
    const char* country;
    int timeZone;
  } known[] = {{"Mecca", "Saudi Arabia", 180}, {"Kathmandu", "Nepal", 345},
               {"Adelaide", "Australia", 570}, {"St. John's", "Canada", -210},
               {"Santiago", "Chile", -240},    {"Dublin", "Ireland", 0}};
  for (const auto& k : known) {
    SCOPED_TRACE(k.city);
    bool found = false;
    for (const CityRow& place : FindCities(places, k.city)) {
      if (place.countryName != k.country) continue;
      found = true;
      EXPECT_EQ(place.timeZone, k.timeZone);
    }
    EXPECT_TRUE(found);
  }
}

}  // namespace
}  // namespace korvana
