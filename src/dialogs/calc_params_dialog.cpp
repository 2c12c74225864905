#include "dialogs/calc_params_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "dialogs/dialog_text.h"
#include "engine/astro_state.h"
#include "resources/dialog_ids.h"

namespace korvana {

namespace {

constexpr int kMaxCityRow = 30000;
constexpr int kMaxLatitude = 9000;     // hundredths of a degree
constexpr int kMaxLongitude = 18000;   // hundredths of a degree
constexpr int kMaxZoneMinutes = 720;   // 12 hours
constexpr int32_t kHundredthsPerDegree = 100;
constexpr int32_t kMinutesPerHour = 60;
constexpr size_t kNameLength = 15;     // City Name, Country Name: 16-byte buffers
constexpr double kFajrAngleMin = -20.0, kFajrAngleMax = -15.0;  // degrees
constexpr double kIshaAngleMin = -20.0, kIshaAngleMax = -10.0;  // degrees
constexpr int kFirstYear = 1901;  // the engine's calendar range
constexpr int kLastYear = 2099;
constexpr int kDefaultCalcMode = 4;
constexpr float kDefaultFajrAngle = -18.0f;
constexpr float kDefaultIshaAngle = -17.0f;

// Margin ranges in minutes, FAJR .. ISHA; ISHA widens to 60..120 in mode 5.
struct MarginRange {
  int min;
  int max;
};
constexpr MarginRange kMarginRanges[10] = {
    {-30, 0}, {-30, 0}, {0, 30}, {-30, 0}, {0, 30},
    {0, 30},  {0, 30},  {-30, 0}, {0, 30}, {0, 30}};
constexpr MarginRange kIshaMarginInMode5 = {60, 120};
constexpr int kIshaSinceSunsetMode = 5;

std::string Format(const char* format, double value) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string FormatInt(int value) { return std::to_string(value); }

// SetDlgItemInt without sign: a negative value shows as its 32-bit pattern.
std::string FormatUnsigned(int value) { return std::to_string(static_cast<uint32_t>(value)); }

int DaysInYear(int year) { return IsLeapYear(year) ? 366 : 365; }

// Keeps the record's weekday (0 = Sunday, as the platform's) in step with a
// date set by hand.
void SetDate(LocalDateTime& t, int day, int month, int year) {
  t.day = static_cast<uint16_t>(day);
  t.month = static_cast<uint16_t>(month);
  t.year = static_cast<uint16_t>(year);
  AstroState calendar;
  calendar.day = static_cast<int16_t>(day);
  calendar.month = static_cast<int16_t>(month);
  calendar.year = static_cast<int16_t>(year);
  t.weekday = static_cast<uint16_t>(GetWeekday(calendar) % 7);
}

}  // namespace

std::string FormatDegreesField(int hundredths) {
  return Format("%5.2f", hundredths / static_cast<double>(kHundredthsPerDegree));
}

std::string FormatHoursField(int minutes) {
  return Format("%5.2f", minutes / static_cast<double>(kMinutesPerHour));
}

std::string FormatAngleField(float degrees) { return Format("%4.1f", degrees); }

std::string FormatDateField(const LocalDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02u/%02u/%04u", unsigned{t.day}, unsigned{t.month},
                unsigned{t.year});
  return text;
}

std::string FormatTimeField(const LocalDateTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u", unsigned{t.hour}, unsigned{t.minute});
  return text;
}

CalcParamsView BuildCalcParamsView(const CalcParams& params, bool realTimeMode,
                                   const LocalDateTime& current, bool cityListExists) {
  CalcParamsView view;
  CalcParamsFields& f = view.fields;
  for (int k = 0; k < 10; ++k) f.margins[k] = FormatInt(params.margins[k]);
  view.marginsEnabled = params.calcMode != 0;
  view.openListEnabled = cityListExists;
  view.useListChecked = params.useList != 0;
  view.rowNumberEnabled = params.useList != 0;
  view.placeEnabled = params.useList == 0;
  view.timeZoneEnabled = params.useList == 0 && params.windowsTimeZone == 0;
  f.rowNumber = FormatUnsigned(params.cityNumber);
  f.city = params.cityName;
  f.country = params.countryName;
  f.latitude = FormatDegreesField(params.latitude);
  f.longitude = FormatDegreesField(params.longitude);
  f.timeZone = FormatHoursField(params.timeZone);
  view.windowsTimeZoneChecked = params.windowsTimeZone != 0;
  f.fajrAngle = FormatAngleField(params.fajrAngle);
  f.ishaAngle = FormatAngleField(params.ishaAngle);
  f.calcMode = FormatInt(params.calcMode);
  view.realTimeChecked = realTimeMode;
  view.dateTimeEnabled = !realTimeMode;
  f.date = FormatDateField(current);
  f.time = FormatTimeField(current);
  view.windowsDaylightChecked = params.windowsDaylightSaving != 0;
  view.daylightEnabled = params.windowsDaylightSaving == 0;
  view.daylightChecked = params.daylightSaving != 0;
  return view;
}

FieldCheck CheckCalcParamsFields(const CalcParamsFields& fields, CalcParams& params,
                                 bool realTimeMode, LocalDateTime& current,
                                 const CityRowReader& readCityRow) {
  FieldCheck check;
  const auto fail = [&](int id) {
    check.focusId = id;
    return check;
  };
  int32_t value = 0;

  if (!ReadFieldInteger(fields.calcMode, true, &value) || value < 0 || value > 5)
    return fail(IDC_CALC_MODE);
  params.calcMode = value;

  for (int k = 0; k < 10; ++k) {
    const int id = IDC_MARGIN_FIRST + k;
    MarginRange range = kMarginRanges[k];
    if (k == 9 && params.calcMode == kIshaSinceSunsetMode) range = kIshaMarginInMode5;
    if (!ReadFieldInteger(fields.margins[k], true, &value) || value < range.min ||
        value > range.max)
      return fail(id);
    params.margins[k] = static_cast<int16_t>(value);
  }

  if (!ReadFieldInteger(fields.rowNumber, false, &value) || value < 1 || value > kMaxCityRow)
    return fail(IDC_ROW_NUMBER);
  params.cityNumber = value;

  if (params.useList != 0) {
    if (readCityRow) readCityRow(params);
  } else {
    // The names are taken as typed, cut to their buffers; they get no focus.
    params.cityName = fields.city.substr(0, kNameLength);
    params.countryName = fields.country.substr(0, kNameLength);
    if (!ReadLeadingDecimalUnits(fields.latitude, kHundredthsPerDegree, &value) ||
        std::abs(value) > kMaxLatitude)
      return fail(IDC_LATITUDE);
    params.latitude = value;
    if (!ReadLeadingDecimalUnits(fields.longitude, kHundredthsPerDegree, &value) ||
        std::abs(value) > kMaxLongitude)
      return fail(IDC_LONGITUDE);
    params.longitude = value;
    if (!ReadLeadingDecimalUnits(fields.timeZone, kMinutesPerHour, &value) ||
        std::abs(value) > kMaxZoneMinutes)
      return fail(IDC_TIME_ZONE);
    params.timeZone = value;
  }

  // Written as "not inside" so that a value that is no number fails too.
  const double fajr = ReadLeadingDecimal(fields.fajrAngle);
  if (!(fajr >= kFajrAngleMin && fajr <= kFajrAngleMax)) return fail(IDC_FAJR_ANGLE);
  params.fajrAngle = static_cast<float>(fajr);
  const double isha = ReadLeadingDecimal(fields.ishaAngle);
  if (!(isha >= kIshaAngleMin && isha <= kIshaAngleMax)) return fail(IDC_ISHA_ANGLE);
  params.ishaAngle = static_cast<float>(isha);
  check.focusId = IDC_ISHA_ANGLE;

  if (!realTimeMode) {
    int32_t date[3] = {};
    if (ScanSeparatedIntegers(fields.date, '/', 3, date) != 3 || date[0] < 1 || date[0] > 31 ||
        date[1] < 1 || date[1] > 12 || date[2] < kFirstYear || date[2] > kLastYear)
      return fail(IDC_DATE);
    int32_t time[2] = {};
    if (ScanSeparatedIntegers(fields.time, ':', 2, time) != 2 || time[0] < 0 || time[0] > 23 ||
        time[1] < 0 || time[1] > 59)
      return fail(IDC_TIME);
    SetDate(current, date[0], date[1], date[2]);
    current.hour = static_cast<uint16_t>(time[0]);
    current.minute = static_cast<uint16_t>(time[1]);
    check.focusId = IDC_TIME;
  }
  check.passed = true;
  return check;
}

void ResetMargins(CalcParams& params) {
  std::copy(DefaultMargins, DefaultMargins + 10, params.margins);
}

void ResetAngles(CalcParams& params) {
  params.fajrAngle = kDefaultFajrAngle;
  params.ishaAngle = kDefaultIshaAngle;
  params.calcMode = kDefaultCalcMode;
}

void StepDate(LocalDateTime& t, bool up) {
  int year = t.year;
  int dayOfYear = CumulativeDays[std::clamp<int>(t.month, 1, 12) - 1] + t.day;
  if (IsLeapYear(year) && t.month > 2) ++dayOfYear;
  if (up) {
    if (++dayOfYear > DaysInYear(year)) {
      if (year == kLastYear) return;
      ++year;
      dayOfYear = 1;
    }
  } else {
    if (--dayOfYear < 1) {
      if (year == kFirstYear) return;
      --year;
      dayOfYear = DaysInYear(year);
    }
  }
  AstroState calendar;
  calendar.year = static_cast<int16_t>(year);
  int16_t month = 0;
  int16_t day = 0;
  MonthFromDayOfYear(calendar, static_cast<int16_t>(dayOfYear), &month, &day);
  SetDate(t, day, month, year);
}

void StepTime(LocalDateTime& t, bool up) {
  const int minutes = WrapMinutes(static_cast<int16_t>(t.hour * 60 + t.minute + (up ? 1 : -1)));
  t.hour = static_cast<uint16_t>(minutes / 60);
  t.minute = static_cast<uint16_t>(minutes % 60);
}

WheelEffect StepCalcParamsField(int focusedId, bool forward, CalcParams& params,
                                LocalDateTime& current) {
  const int step = forward ? -1 : 1;
  switch (focusedId) {
    case IDC_ROW_NUMBER:
      if (step < 0 || params.cityNumber < std::numeric_limits<int>::max())
        params.cityNumber = std::max(1, params.cityNumber + step);
      return WheelEffect::kCityRow;
    case IDC_LATITUDE:
      params.latitude = std::clamp(params.latitude + step, -kMaxLatitude, kMaxLatitude);
      return WheelEffect::kLocation;
    case IDC_LONGITUDE:
      params.longitude = std::clamp(params.longitude + step, -kMaxLongitude, kMaxLongitude);
      return WheelEffect::kLocation;
    case IDC_DATE:
      StepDate(current, !forward);
      return WheelEffect::kDateTime;
    case IDC_TIME:
      StepTime(current, !forward);
      return WheelEffect::kDateTime;
    default:
      return WheelEffect::kNone;
  }
}

}  // namespace korvana
