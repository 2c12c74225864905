// The Calculation Parameters dialog's decisions, without a window: how the
// fields' texts are read, the checks of Apply and Save in their order, the
// enabling rules and the wheel steps.

#include <gtest/gtest.h>

#include <string>

#include "dialogs/calc_params_dialog.h"
#include "dialogs/dialog_text.h"
#include "resources/dialog_ids.h"

namespace korvana {
namespace {

TEST(DialogText, LeadingDecimalInHundredths) {
  const struct {
    const char* name;
    const char* text;
    bool ok;
    int32_t units;
  } cases[] = {
      {"point_rounds_to_nearest", "41.01", true, 4101},
      {"second_example", "28.97", true, 2897},
      {"comma_stops_the_number", "41,01", true, 4100},
      {"negative", "-41.01", true, -4101},
      {"plus_sign", "+12.5", true, 1250},
      {"leading_blanks_and_trailing_text", "  41.01xyz", true, 4101},
      {"tie_rounds_away_from_zero", "41.005", true, 4101},
      {"negative_tie_rounds_away_from_zero", "-0.005", true, -1},
      {"below_half_rounds_down", "0.004", true, 0},
      {"many_decimals", "41.0149999999999999999", true, 4101},
      {"point_first", ".5", true, 50},
      {"point_last", "5.", true, 500},
      {"exponent", "4.101e1", true, 4101},
      {"letter_e_without_digits", "41e", true, 4100},
      {"no_number_reads_zero", "abc", true, 0},
      {"empty_reads_zero", "", true, 0},
      {"sign_alone_reads_zero", "-", true, 0},
      {"too_large", "99999999999999999999", false, 0},
      {"exponent_too_large", "1e10", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int32_t units = -12345;
    EXPECT_EQ(ReadLeadingDecimalUnits(c.text, 100, &units), c.ok);
    if (c.ok) {
      EXPECT_EQ(units, c.units);
    }
  }
}

TEST(DialogText, LeadingDecimalInMinutes) {
  const struct {
    const char* text;
    int32_t minutes;
  } cases[] = {{"5.5", 330}, {"3", 180}, {"-3.5", -210}, {"5.75", 345}, {"12.01", 721},
               {"0.0083", 0}, {"0.0084", 1}, {"5,5", 300}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t minutes = -1;
    ASSERT_TRUE(ReadLeadingDecimalUnits(c.text, 60, &minutes));
    EXPECT_EQ(minutes, c.minutes);
  }
}

TEST(DialogText, LeadingDecimalAsReal) {
  const struct {
    const char* text;
    double value;
  } cases[] = {{"-18.5", -18.5}, {"-17", -17.0}, {" -15xyz", -15.0}, {"-17,3", -17.0},
               {"abc", 0.0},     {"", 0.0},      {"-2e1", -20.0}};
  for (const auto& c : cases) EXPECT_EQ(ReadLeadingDecimal(c.text), c.value) << c.text;
}

TEST(DialogText, WholeNumberFields) {
  const struct {
    const char* name;
    const char* text;
    bool isSigned;
    bool ok;
    int32_t value;
  } cases[] = {
      {"plain", "15", true, true, 15},
      {"negative_with_blanks", " -7 ", true, true, -7},
      {"plus_sign", "+5", true, true, 5},
      {"minus_without_sign", "-7", false, false, 0},
      {"unsigned_plain", "30000", false, true, 30000},
      {"empty", "", true, false, 0},
      {"blanks_only", "   ", true, false, 0},
      {"trailing_letters", "12abc", true, false, 0},
      {"decimal_point", "1.5", true, false, 0},
      {"beyond_32_bits", "4294967296", false, false, 0},
      {"beyond_signed_range", "2147483648", true, false, 0},
      {"signed_minimum", "-2147483648", true, true, INT32_MIN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int32_t value = -1;
    EXPECT_EQ(ReadFieldInteger(c.text, c.isSigned, &value), c.ok);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
  }
}

TEST(DialogText, SeparatedIntegersAsScanfReadsThem) {
  const struct {
    const char* name;
    const char* text;
    char separator;
    int count;
    int read;
    int32_t first, second, third;
  } cases[] = {
      {"date", "31/02/2023", '/', 3, 3, 31, 2, 2023},
      {"blank_after_separator", "1/ 2/2024", '/', 3, 3, 1, 2, 2024},
      {"blank_before_separator", "1 /2/2024", '/', 3, 1, 1, 0, 0},
      {"trailing_text_ignored", "01/01/2025xyz", '/', 3, 3, 1, 1, 2025},
      {"two_of_three", "1/2", '/', 3, 2, 1, 2, 0},
      {"none", "a/b/c", '/', 3, 0, 0, 0, 0},
      {"time", "12:30", ':', 2, 2, 12, 30, 0},
      {"wrong_separator", "12.30", ':', 2, 1, 12, 0, 0},
      {"signed", "-1:+5", ':', 2, 2, -1, 5, 0},
      {"huge_number_saturates", "99999999999:1", ':', 2, 2, INT32_MAX, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int32_t values[3] = {};
    EXPECT_EQ(ScanSeparatedIntegers(c.text, c.separator, c.count, values), c.read);
    EXPECT_EQ(values[0], c.first);
    EXPECT_EQ(values[1], c.second);
    EXPECT_EQ(values[2], c.third);
  }
}

// A form as the dialog shows the default settings, which passes every check.
CalcParamsFields ValidFields() {
  CalcParamsFields f;
  f.calcMode = "4";
  const char* margins[10] = {"-2", "-7", "10", "0", "5", "5", "5", "0", "7", "2"};
  for (int k = 0; k < 10; ++k) f.margins[k] = margins[k];
  f.rowNumber = "1";
  f.city = "Istanbul";
  f.country = "Turkey";
  f.latitude = "41.01";
  f.longitude = "28.97";
  f.timeZone = "2";
  f.fajrAngle = "-18.0";
  f.ishaAngle = "-17.0";
  f.date = "21/06/2014";
  f.time = "12:30";
  return f;
}

struct CheckCase {
  const char* name;
  void (*edit)(CalcParamsFields&);
  bool realTime;
  bool passed;
  int focusId;
};

TEST(CalcParamsChecks, OrderRangesAndFocus) {
  const CheckCase cases[] = {
      {"defaults_pass_in_real_time", [](CalcParamsFields&) {}, true, true, IDC_ISHA_ANGLE},
      {"defaults_pass_with_date", [](CalcParamsFields&) {}, false, true, IDC_TIME},
      {"mode_6", [](CalcParamsFields& f) { f.calcMode = "6"; }, true, false, IDC_CALC_MODE},
      {"mode_negative", [](CalcParamsFields& f) { f.calcMode = "-1"; }, true, false,
       IDC_CALC_MODE},
      {"mode_not_a_number", [](CalcParamsFields& f) { f.calcMode = "x"; }, true, false,
       IDC_CALC_MODE},
      {"mode_5_isha_90",
       [](CalcParamsFields& f) { f.calcMode = "5", f.margins[9] = "90"; }, true, true,
       IDC_ISHA_ANGLE},
      {"mode_5_isha_60", [](CalcParamsFields& f) { f.calcMode = "5", f.margins[9] = "60"; },
       true, true, IDC_ISHA_ANGLE},
      {"mode_5_isha_121", [](CalcParamsFields& f) { f.calcMode = "5", f.margins[9] = "121"; },
       true, false, IDC_MARGIN_ISHA},
      {"mode_4_isha_90", [](CalcParamsFields& f) { f.margins[9] = "90"; }, true, false,
       IDC_MARGIN_ISHA},
      {"mode_5_isha_30", [](CalcParamsFields& f) { f.calcMode = "5", f.margins[9] = "30"; },
       true, false, IDC_MARGIN_ISHA},
      {"fajr_positive", [](CalcParamsFields& f) { f.margins[0] = "1"; }, true, false,
       IDC_MARGIN_FAJR},
      {"sunrise_minus_31", [](CalcParamsFields& f) { f.margins[1] = "-31"; }, true, false,
       IDC_MARGIN_SUNRISE},
      {"sunrise_minus_30", [](CalcParamsFields& f) { f.margins[1] = "-30"; }, true, true,
       IDC_ISHA_ANGLE},
      {"ishraq_negative", [](CalcParamsFields& f) { f.margins[2] = "-1"; }, true, false,
       IDC_MARGIN_ISHRAQ},
      {"midday_positive", [](CalcParamsFields& f) { f.margins[3] = "1"; }, true, false,
       IDC_MARGIN_MIDDAY},
      {"zuhr_31", [](CalcParamsFields& f) { f.margins[4] = "31"; }, true, false,
       IDC_MARGIN_ZUHR},
      {"asr2_empty", [](CalcParamsFields& f) { f.margins[6] = ""; }, true, false,
       IDC_MARGIN_ASR2},
      {"fading_positive", [](CalcParamsFields& f) { f.margins[7] = "5"; }, true, false,
       IDC_MARGIN_FADING},
      {"sunset_30", [](CalcParamsFields& f) { f.margins[8] = "30"; }, true, true,
       IDC_ISHA_ANGLE},
      {"first_failure_wins", [](CalcParamsFields& f) { f.margins[0] = "9", f.margins[8] = "99"; },
       true, false, IDC_MARGIN_FAJR},
      {"row_0", [](CalcParamsFields& f) { f.rowNumber = "0"; }, true, false, IDC_ROW_NUMBER},
      {"row_30001", [](CalcParamsFields& f) { f.rowNumber = "30001"; }, true, false,
       IDC_ROW_NUMBER},
      {"row_30000", [](CalcParamsFields& f) { f.rowNumber = "30000"; }, true, true,
       IDC_ISHA_ANGLE},
      {"row_negative", [](CalcParamsFields& f) { f.rowNumber = "-1"; }, true, false,
       IDC_ROW_NUMBER},
      {"latitude_90_01", [](CalcParamsFields& f) { f.latitude = "90.01"; }, true, false,
       IDC_LATITUDE},
      {"latitude_minus_90", [](CalcParamsFields& f) { f.latitude = "-90"; }, true, true,
       IDC_ISHA_ANGLE},
      {"latitude_rounds_into_range", [](CalcParamsFields& f) { f.latitude = "90.004"; }, true,
       true, IDC_ISHA_ANGLE},
      {"longitude_180_005", [](CalcParamsFields& f) { f.longitude = "180.005"; }, true, false,
       IDC_LONGITUDE},
      {"longitude_minus_180", [](CalcParamsFields& f) { f.longitude = "-180"; }, true, true,
       IDC_ISHA_ANGLE},
      {"zone_12_01_hours", [](CalcParamsFields& f) { f.timeZone = "12.01"; }, true, false,
       IDC_TIME_ZONE},
      {"zone_minus_12", [](CalcParamsFields& f) { f.timeZone = "-12"; }, true, true,
       IDC_ISHA_ANGLE},
      {"fajr_angle_minus_14_9", [](CalcParamsFields& f) { f.fajrAngle = "-14.9"; }, true, false,
       IDC_FAJR_ANGLE},
      {"fajr_angle_minus_20", [](CalcParamsFields& f) { f.fajrAngle = "-20"; }, true, true,
       IDC_ISHA_ANGLE},
      {"fajr_angle_minus_20_1", [](CalcParamsFields& f) { f.fajrAngle = "-20.1"; }, true, false,
       IDC_FAJR_ANGLE},
      {"fajr_angle_text", [](CalcParamsFields& f) { f.fajrAngle = "abc"; }, true, false,
       IDC_FAJR_ANGLE},
      {"isha_angle_minus_10", [](CalcParamsFields& f) { f.ishaAngle = "-10"; }, true, true,
       IDC_ISHA_ANGLE},
      {"isha_angle_minus_9_9", [](CalcParamsFields& f) { f.ishaAngle = "-9.9"; }, true, false,
       IDC_ISHA_ANGLE},
      {"bad_date_ignored_in_real_time", [](CalcParamsFields& f) { f.date = "x"; }, true, true,
       IDC_ISHA_ANGLE},
      {"day_32", [](CalcParamsFields& f) { f.date = "32/01/2024"; }, false, false, IDC_DATE},
      {"day_0", [](CalcParamsFields& f) { f.date = "0/01/2024"; }, false, false, IDC_DATE},
      {"month_13", [](CalcParamsFields& f) { f.date = "01/13/2024"; }, false, false, IDC_DATE},
      {"year_1900", [](CalcParamsFields& f) { f.date = "31/12/1900"; }, false, false, IDC_DATE},
      {"year_2100", [](CalcParamsFields& f) { f.date = "01/01/2100"; }, false, false, IDC_DATE},
      {"year_1901", [](CalcParamsFields& f) { f.date = "01/01/1901"; }, false, true, IDC_TIME},
      {"date_two_numbers", [](CalcParamsFields& f) { f.date = "01/01"; }, false, false,
       IDC_DATE},
      {"date_with_dots", [](CalcParamsFields& f) { f.date = "01.01.2024"; }, false, false,
       IDC_DATE},
      {"hour_24", [](CalcParamsFields& f) { f.time = "24:00"; }, false, false, IDC_TIME},
      {"minute_60", [](CalcParamsFields& f) { f.time = "12:60"; }, false, false, IDC_TIME},
      {"time_one_number", [](CalcParamsFields& f) { f.time = "12"; }, false, false, IDC_TIME},
      {"time_23_59", [](CalcParamsFields& f) { f.time = "23:59"; }, false, true, IDC_TIME},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CalcParamsFields fields = ValidFields();
    c.edit(fields);
    CalcParams params;
    LocalDateTime current{2020, 5, 5, 5, 5, 5, 0, 0};
    const FieldCheck check = CheckCalcParamsFields(fields, params, c.realTime, current, nullptr);
    EXPECT_EQ(check.passed, c.passed);
    EXPECT_EQ(check.focusId, c.focusId);
  }
}

TEST(CalcParamsChecks, StoresTypedValues) {
  CalcParamsFields fields = ValidFields();
  fields.calcMode = "5";
  fields.margins[9] = "90";
  fields.rowNumber = "17";
  fields.city = "A city name of more than fifteen";
  fields.country = "Turkey";
  fields.latitude = "-41.01";
  fields.longitude = "28.97";
  fields.timeZone = "5.5";
  fields.fajrAngle = "-18.5";
  fields.ishaAngle = "-15";
  CalcParams params;
  LocalDateTime current{};
  ASSERT_TRUE(CheckCalcParamsFields(fields, params, true, current, nullptr).passed);
  EXPECT_EQ(params.calcMode, 5);
  EXPECT_EQ(params.margins[0], -2);
  EXPECT_EQ(params.margins[9], 90);
  EXPECT_EQ(params.cityNumber, 17);
  EXPECT_EQ(params.cityName, "A city name of ");
  EXPECT_EQ(params.countryName, "Turkey");
  EXPECT_EQ(params.latitude, -4101);
  EXPECT_EQ(params.longitude, 2897);
  EXPECT_EQ(params.timeZone, 330);
  EXPECT_EQ(params.fajrAngle, -18.5f);
  EXPECT_EQ(params.ishaAngle, -15.0f);
}

TEST(CalcParamsChecks, LatitudeWithCommaStopsAtTheComma) {
  CalcParamsFields fields = ValidFields();
  fields.latitude = "41,01";
  CalcParams params;
  LocalDateTime current{};
  ASSERT_TRUE(CheckCalcParamsFields(fields, params, true, current, nullptr).passed);
  EXPECT_EQ(params.latitude, 4100);
}

TEST(CalcParamsChecks, ValuesBeforeTheFailureStayStored) {
  CalcParamsFields fields = ValidFields();
  fields.calcMode = "0";
  fields.margins[0] = "-9";
  fields.margins[1] = "5";  // fails
  CalcParams params;
  params.calcMode = 4;
  LocalDateTime current{};
  ASSERT_FALSE(CheckCalcParamsFields(fields, params, true, current, nullptr).passed);
  EXPECT_EQ(params.calcMode, 0);
  EXPECT_EQ(params.margins[0], -9);
  EXPECT_EQ(params.margins[1], -7);  // unchanged default
  EXPECT_EQ(params.latitude, 0);     // not reached
}

TEST(CalcParamsChecks, DateAndTimeStoredOnlyTogether) {
  const struct {
    const char* name;
    const char* date;
    const char* time;
    LocalDateTime expected;
  } cases[] = {
      // 31/02/2023 passes and is taken unchanged; the weekday follows the date
      // as the engine counts it on (3 March 2023, a Friday).
      {"february_31_taken_unchanged", "31/02/2023", "06:07", {2023, 2, 5, 31, 6, 7, 5, 0}},
      {"time_fails_date_kept", "01/01/2024", "25:00", {2020, 5, 2, 5, 5, 5, 5, 0}},
      {"date_fails_time_kept", "01/13/2024", "06:07", {2020, 5, 2, 5, 5, 5, 5, 0}},
      {"blank_after_slash", "1/ 2/2024", "7:8", {2024, 2, 4, 1, 7, 8, 5, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CalcParamsFields fields = ValidFields();
    fields.date = c.date;
    fields.time = c.time;
    CalcParams params;
    LocalDateTime current{2020, 5, 2, 5, 5, 5, 5, 0};
    CheckCalcParamsFields(fields, params, false, current, nullptr);
    EXPECT_EQ(current.year, c.expected.year);
    EXPECT_EQ(current.month, c.expected.month);
    EXPECT_EQ(current.weekday, c.expected.weekday);
    EXPECT_EQ(current.day, c.expected.day);
    EXPECT_EQ(current.hour, c.expected.hour);
    EXPECT_EQ(current.minute, c.expected.minute);
    EXPECT_EQ(current.second, c.expected.second);
  }
}

TEST(CalcParamsChecks, ListRowReplacesTheTypedLocation) {
  // With the list in use, the row's place comes from the city list and the
  // typed names and coordinates are not read at all.
  CalcParamsFields fields = ValidFields();
  fields.rowNumber = "5";
  fields.city = "Typed";
  fields.latitude = "not a number and out of range 999";
  CalcParams params;
  params.useList = 1;
  int rowRead = 0;
  const CityRowReader reader = [&](CalcParams& p) {
    rowRead = p.cityNumber;
    p.cityName = "Mecca";
    p.countryName = "Saudi Arabia";
    p.latitude = 2142;
    p.longitude = 3983;
    p.timeZone = 180;
  };
  LocalDateTime current{};
  const FieldCheck check = CheckCalcParamsFields(fields, params, true, current, reader);
  ASSERT_TRUE(check.passed);
  EXPECT_EQ(rowRead, 5);
  // The form shown after Apply carries the row's place.
  const CalcParamsView view = BuildCalcParamsView(params, true, current, true);
  EXPECT_EQ(view.fields.rowNumber, "5");
  EXPECT_EQ(view.fields.city, "Mecca");
  EXPECT_EQ(view.fields.country, "Saudi Arabia");
  EXPECT_EQ(view.fields.latitude, "21.42");
  EXPECT_EQ(view.fields.longitude, "39.83");
  EXPECT_EQ(view.fields.timeZone, " 3.00");
}

TEST(CalcParamsView, EnablingRules) {
  const struct {
    const char* name;
    int calcMode, useList, windowsTz, windowsDls;
    bool realTime, listExists;
    bool margins, openList, row, place, zone, dateTime, dls;
  } cases[] = {
      {"defaults", 4, 0, 0, 0, true, true, true, true, false, true, true, false, true},
      {"mode_0_greys_margins", 0, 0, 0, 0, true, true, false, true, false, true, true, false,
       true},
      {"list_in_use", 4, 1, 0, 0, true, true, true, true, true, false, false, false, true},
      {"system_zone", 4, 0, 1, 0, true, true, true, true, false, true, false, false, true},
      {"system_daylight_rule", 4, 0, 0, 1, true, true, true, true, false, true, true, false,
       false},
      {"entered_date", 4, 0, 0, 0, false, true, true, true, false, true, true, true, true},
      {"no_city_list", 4, 0, 0, 0, true, false, true, false, false, true, true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CalcParams params;
    params.calcMode = c.calcMode;
    params.useList = c.useList;
    params.windowsTimeZone = c.windowsTz;
    params.windowsDaylightSaving = c.windowsDls;
    const CalcParamsView view = BuildCalcParamsView(params, c.realTime, {}, c.listExists);
    EXPECT_EQ(view.marginsEnabled, c.margins);
    EXPECT_EQ(view.openListEnabled, c.openList);
    EXPECT_EQ(view.useListChecked, c.useList != 0);
    EXPECT_EQ(view.rowNumberEnabled, c.row);
    EXPECT_EQ(view.placeEnabled, c.place);
    EXPECT_EQ(view.timeZoneEnabled, c.zone);
    EXPECT_EQ(view.windowsTimeZoneChecked, c.windowsTz != 0);
    EXPECT_EQ(view.realTimeChecked, c.realTime);
    EXPECT_EQ(view.dateTimeEnabled, c.dateTime);
    EXPECT_EQ(view.windowsDaylightChecked, c.windowsDls != 0);
    EXPECT_EQ(view.daylightEnabled, c.dls);
  }
}

TEST(CalcParamsView, FieldTexts) {
  CalcParams params;
  params.latitude = -4101;
  params.longitude = 2897;
  params.timeZone = 330;
  params.cityNumber = 12;
  params.fajrAngle = -18.5f;
  params.calcMode = 5;
  params.margins[9] = 90;
  params.daylightSaving = 1;
  const CalcParamsView view =
      BuildCalcParamsView(params, false, {2024, 3, 5, 5, 7, 9, 0, 0}, true);
  EXPECT_EQ(view.fields.latitude, "-41.01");
  EXPECT_EQ(view.fields.longitude, "28.97");
  EXPECT_EQ(view.fields.timeZone, " 5.50");
  EXPECT_EQ(view.fields.rowNumber, "12");
  EXPECT_EQ(view.fields.fajrAngle, "-18.5");
  EXPECT_EQ(view.fields.ishaAngle, "-17.0");
  EXPECT_EQ(view.fields.calcMode, "5");
  EXPECT_EQ(view.fields.margins[0], "-2");
  EXPECT_EQ(view.fields.margins[9], "90");
  EXPECT_EQ(view.fields.city, "???");
  EXPECT_EQ(view.fields.date, "05/03/2024");
  EXPECT_EQ(view.fields.time, "07:09");
  EXPECT_TRUE(view.daylightChecked);
  EXPECT_EQ(FormatDegreesField(0), " 0.00");
  EXPECT_EQ(FormatHoursField(-210), "-3.50");
}

TEST(CalcParamsDefaults, MarginsAndAngles) {
  CalcParams params;
  for (auto& m : params.margins) m = 30;
  params.fajrAngle = -15.0f;
  params.ishaAngle = -20.0f;
  params.calcMode = 0;
  ResetMargins(params);
  const int16_t expected[10] = {-2, -7, 10, 0, 5, 5, 5, 0, 7, 2};
  for (int k = 0; k < 10; ++k) EXPECT_EQ(params.margins[k], expected[k]) << k;
  EXPECT_EQ(params.calcMode, 0);  // the margins' button leaves the mode
  ResetAngles(params);
  EXPECT_EQ(params.fajrAngle, -18.0f);
  EXPECT_EQ(params.ishaAngle, -17.0f);
  EXPECT_EQ(params.calcMode, 4);
}

struct DateStep {
  const char* name;
  LocalDateTime before;
  bool forward;  // a turn away from the user steps back
  LocalDateTime after;
};

TEST(CalcParamsWheel, DateAndTimeSteps) {
  const DateStep dateCases[] = {
      {"year_end_up", {2024, 12, 2, 31, 10, 0, 0, 0}, false, {2025, 1, 3, 1, 10, 0, 0, 0}},
      {"leap_day_down", {2024, 3, 5, 1, 10, 0, 0, 0}, true, {2024, 2, 4, 29, 10, 0, 0, 0}},
      {"common_year_march_down", {2023, 3, 3, 1, 0, 0, 0, 0}, true, {2023, 2, 2, 28, 0, 0, 0, 0}},
      {"new_year_down", {2024, 1, 1, 1, 0, 0, 0, 0}, true, {2023, 12, 0, 31, 0, 0, 0, 0}},
      {"into_leap_year_end", {2025, 1, 3, 1, 0, 0, 0, 0}, true, {2024, 12, 2, 31, 0, 0, 0, 0}},
      {"first_year_stops", {1901, 1, 2, 1, 0, 0, 0, 0}, true, {1901, 1, 2, 1, 0, 0, 0, 0}},
      {"last_year_stops", {2099, 12, 4, 31, 0, 0, 0, 0}, false, {2099, 12, 4, 31, 0, 0, 0, 0}},
      {"last_year_inside_steps", {2099, 12, 3, 30, 0, 0, 0, 0}, false,
       {2099, 12, 4, 31, 0, 0, 0, 0}},
      {"february_31_counts_on", {2023, 2, 0, 31, 0, 0, 0, 0}, false, {2023, 3, 6, 4, 0, 0, 0, 0}},
  };
  for (const auto& c : dateCases) {
    SCOPED_TRACE(c.name);
    CalcParams params;
    LocalDateTime t = c.before;
    EXPECT_EQ(StepCalcParamsField(IDC_DATE, c.forward, params, t), WheelEffect::kDateTime);
    EXPECT_EQ(t.year, c.after.year);
    EXPECT_EQ(t.month, c.after.month);
    EXPECT_EQ(t.day, c.after.day);
    EXPECT_EQ(t.weekday, c.after.weekday);
    EXPECT_EQ(t.hour, c.after.hour);
  }
  const DateStep timeCases[] = {
      {"midnight_down_wraps", {2024, 5, 3, 1, 0, 0, 0, 0}, true, {2024, 5, 3, 1, 23, 59, 0, 0}},
      {"last_minute_up_wraps", {2024, 5, 3, 1, 23, 59, 0, 0}, false, {2024, 5, 3, 1, 0, 0, 0, 0}},
      {"carry_into_hour", {2024, 5, 3, 1, 12, 59, 0, 0}, false, {2024, 5, 3, 1, 13, 0, 0, 0}},
      {"minute_down", {2024, 5, 3, 1, 12, 30, 0, 0}, true, {2024, 5, 3, 1, 12, 29, 0, 0}},
  };
  for (const auto& c : timeCases) {
    SCOPED_TRACE(c.name);
    CalcParams params;
    LocalDateTime t = c.before;
    EXPECT_EQ(StepCalcParamsField(IDC_TIME, c.forward, params, t), WheelEffect::kDateTime);
    EXPECT_EQ(t.day, c.after.day);
    EXPECT_EQ(t.hour, c.after.hour);
    EXPECT_EQ(t.minute, c.after.minute);
  }
}

TEST(CalcParamsWheel, RowAndCoordinateSteps) {
  const struct {
    const char* name;
    int field;
    bool forward;
    int before;
    int after;
    WheelEffect effect;
  } cases[] = {
      {"row_up", IDC_ROW_NUMBER, false, 5, 6, WheelEffect::kCityRow},
      {"row_down", IDC_ROW_NUMBER, true, 5, 4, WheelEffect::kCityRow},
      {"row_not_below_1", IDC_ROW_NUMBER, true, 1, 1, WheelEffect::kCityRow},
      {"row_no_upper_limit", IDC_ROW_NUMBER, false, 30000, 30001, WheelEffect::kCityRow},
      {"latitude_down", IDC_LATITUDE, true, 4101, 4100, WheelEffect::kLocation},
      {"latitude_not_above_9000", IDC_LATITUDE, false, 9000, 9000, WheelEffect::kLocation},
      {"latitude_not_below_minus_9000", IDC_LATITUDE, true, -9000, -9000, WheelEffect::kLocation},
      {"longitude_up", IDC_LONGITUDE, false, 2897, 2898, WheelEffect::kLocation},
      {"longitude_not_above_18000", IDC_LONGITUDE, false, 18000, 18000, WheelEffect::kLocation},
      {"longitude_not_below", IDC_LONGITUDE, true, -18000, -18000, WheelEffect::kLocation},
      {"city_field_does_nothing", IDC_CITY, false, 7, 7, WheelEffect::kNone},
      {"zone_field_does_nothing", IDC_TIME_ZONE, false, 7, 7, WheelEffect::kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CalcParams params;
    int& value = c.field == IDC_ROW_NUMBER ? params.cityNumber
                 : c.field == IDC_LONGITUDE ? params.longitude
                 : c.field == IDC_LATITUDE  ? params.latitude
                                            : params.timeZone;
    value = c.before;
    LocalDateTime t{2024, 5, 3, 1, 12, 0, 0, 0};
    EXPECT_EQ(StepCalcParamsField(c.field, c.forward, params, t), c.effect);
    EXPECT_EQ(value, c.after);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.minute, 0);
  }
}

}  // namespace
}  // namespace korvana
