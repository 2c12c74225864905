#include "settings/city_list.h"

#include <cstdlib>

#include "platform/file_replace.h"
#include "settings/decimal_text.h"

namespace korvana {
namespace {

constexpr size_t kNameChars = kNameBytes - 1;
constexpr int kMaxLatitude = 9000;      // hundredths of a degree
constexpr int kMaxLongitude = 18000;    // hundredths of a degree
constexpr int kMaxZoneMinutes = 14 * 60;  // the earth's zones reach UTC+14

// Calls `visit(rowNumber, line)` for each line of the bytes, the line cut
// to kCityListLineChars and without its line break; stops when it returns
// false.
template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
  int row = 0;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t stop = bytes.find('\n', start);
    if (stop == std::string_view::npos) stop = bytes.size();
    std::string_view line = bytes.substr(start, stop - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kCityListLineChars) line = line.substr(0, kCityListLineChars);
    start = stop + 1;
    if (!visit(++row, line)) return;
  }
}

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool ParseCityListLine(std::string_view line, CityRow* place) {
  std::string text(line);
  for (char& c : text)
    if (c == ',') c = '.';
  std::vector<std::string_view> fields;
  const std::string_view all(text);
  size_t start = 0;
  while (start <= all.size() && fields.size() < 5) {
    size_t stop = all.find(';', start);
    if (stop == std::string_view::npos) stop = all.size();
    if (stop > start) fields.push_back(all.substr(start, stop - start));
    start = stop + 1;
  }
  if (fields.size() < 5) return false;
  const int timeZone = LeadingDecimalUnits(fields[2], 60);
  const int latitude = LeadingDecimalUnits(fields[3], 100);
  const int longitude = LeadingDecimalUnits(fields[4], 100);
  if (std::abs(timeZone) > kMaxZoneMinutes || std::abs(latitude) > kMaxLatitude ||
      std::abs(longitude) > kMaxLongitude)
    return false;
  place->cityName = std::string(fields[0].substr(0, kNameChars));
  place->countryName = std::string(fields[1].substr(0, kNameChars));
  place->timeZone = timeZone;
  place->latitude = latitude;
  place->longitude = longitude;
  return true;
}

CityRowResult ReadCityListRow(const std::string& listPath, CalcParams& params) {
  std::string bytes;
  if (ReadWholeFile(listPath, &bytes) != FileReadResult::kRead) return CityRowResult::kNoList;
  const int wanted = params.cityNumber < 1 ? 1 : params.cityNumber;
  std::string_view last;
  bool any = false;
  ForEachLine(bytes, [&](int row, std::string_view line) {
    last = line;
    any = true;
    return row < wanted;
  });
  CityRow place;
  if (!any || !ParseCityListLine(last, &place)) return CityRowResult::kNotAPlace;
  params.cityName = place.cityName;
  params.countryName = place.countryName;
  params.timeZone = place.timeZone;
  params.latitude = place.latitude;
  params.longitude = place.longitude;
  return CityRowResult::kRead;
}

bool ReadCityList(const std::string& listPath, std::vector<CityRow>* places) {
  std::string bytes;
  if (ReadWholeFile(listPath, &bytes) != FileReadResult::kRead) return false;
  places->clear();
  ForEachLine(bytes, [&](int row, std::string_view line) {
    CityRow place;
    if (ParseCityListLine(line, &place)) {
      place.row = row;
      places->push_back(std::move(place));
    }
    return true;
  });
  return true;
}

std::vector<CityRow> FindCities(const std::vector<CityRow>& places, std::string_view name) {
  // A name typed in full also finds the place whose name the list cut.
  std::string_view wanted = TrimBlanks(name);
  if (wanted.size() > kNameChars) wanted = TrimBlanks(wanted.substr(0, kNameChars));
  std::vector<CityRow> found;
  for (const CityRow& place : places) {
    const std::string_view city = TrimBlanks(place.cityName);
    if (city.size() != wanted.size()) continue;
    bool same = true;
    for (size_t i = 0; i < city.size() && same; ++i) same = FoldCase(city[i]) == FoldCase(wanted[i]);
    if (same) found.push_back(place);
  }
  return found;
}

}  // namespace korvana
