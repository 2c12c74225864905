#pragma once
// The city list: a text file beside the program with one place a line,
// "city;country;time zone in hours;latitude;longitude" (degrees, north and
// east positive). A comma is a decimal point like the point itself, so the
// fields can only be parted by ";"; empty fields do not count; further
// fields are ignored. Row N is the N-th line, counting from 1. A line is read
// up to 254 characters; the rest of a longer line is skipped.

#include <string>
#include <string_view>
#include <vector>

#include "settings/schema.h"

namespace korvana {

inline constexpr size_t kCityListLineChars = 254;

// One place of the list, in the program's units.
struct CityRow {
  int row = 0;              // line number, 1-based
  std::string cityName;     // at most 15 characters
  std::string countryName;  // at most 15 characters
  int timeZone = 0;         // minutes east of UTC, standard time
  int latitude = 0;         // hundredths of a degree, north positive
  int longitude = 0;        // hundredths of a degree, east positive
};

// Parses one line of the list. Numbers take the leading decimal number of
// their field (text without a number reads as 0), rounded to the nearest
// minute or hundredth; names are cut to 15 characters. False (and `place`
// untouched) when the line has fewer than five fields or a number lies
// beyond the earth's ranges (latitude 90, longitude 180, zone 14 hours).
bool ParseCityListLine(std::string_view line, CityRow* place);

enum class CityRowResult {
  kRead,       // the place replaced the location
  kNoList,     // the list could not be opened: nothing changed
  kNotAPlace,  // the line (or an empty list) holds no place: nothing changed
};

// Reads row `params.cityNumber` of the list (the last line when the list is
// shorter; the first for numbers below 1) into City Name, Country Name,
// Time Zone, Latitude and Longitude.
CityRowResult ReadCityListRow(const std::string& listPath, CalcParams& params);

// Every place of the list, in order; lines that hold no place are left out.
// False when the list cannot be opened.
bool ReadCityList(const std::string& listPath, std::vector<CityRow>* places);

// The places whose city name equals `name`, letters compared without regard
// to case and surrounding blanks ignored; a name longer than 15 characters
// is compared as the list keeps it, cut to 15.
std::vector<CityRow> FindCities(const std::vector<CityRow>& places, std::string_view name);

}  // namespace korvana
