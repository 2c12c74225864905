#pragma once
// The Calculation Parameters dialog's decisions: what each field shows and
// when it is enabled, the checks of Apply and Save with the values they
// store, and the mouse-wheel steps. The dialog works on the program's own
// values (no copy): checks store each value that passes at once.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "dialogs/dialog_text.h"
#include "platform/local_clock.h"
#include "settings/schema.h"

namespace korvana {

// The texts of the dialog's fields, as shown or as typed.
struct CalcParamsFields {
  std::string calcMode;
  std::array<std::string, 10> margins;  // FAJR .. ISHA
  std::string rowNumber;
  std::string city;
  std::string country;
  std::string latitude;   // degrees
  std::string longitude;  // degrees
  std::string timeZone;   // hours
  std::string fajrAngle;  // degrees
  std::string ishaAngle;  // degrees
  std::string date;       // DD/MM/YYYY
  std::string time;       // HH:MM
};

// Everything the dialog shows when it initialises (and again after Apply).
struct CalcParamsView {
  CalcParamsFields fields;
  bool marginsEnabled = false;   // mode is not 0
  bool openListEnabled = false;  // the city list file exists
  bool useListChecked = false;
  bool rowNumberEnabled = false;  // with the list
  bool placeEnabled = false;      // CITY, COUNTRY, Latitude, Longitude: without the list
  bool timeZoneEnabled = false;   // neither the list nor the system's zone
  bool windowsTimeZoneChecked = false;
  bool realTimeChecked = false;
  bool dateTimeEnabled = false;  // only when not in real time
  bool windowsDaylightChecked = false;
  bool daylightEnabled = false;  // only when the system's rule is not used
  bool daylightChecked = false;
};

CalcParamsView BuildCalcParamsView(const CalcParams& params, bool realTimeMode,
                                   const LocalDateTime& current, bool cityListExists);

// Single field texts, as the dialog formats them.
std::string FormatDegreesField(int hundredths);  // "%5.2f" degrees
std::string FormatHoursField(int minutes);       // "%5.2f" hours
std::string FormatAngleField(float degrees);     // "%4.1f"
std::string FormatDateField(const LocalDateTime& t);  // "%02u/%02u/%04u"
std::string FormatTimeField(const LocalDateTime& t);  // "%02u:%02u"

// Replaces the location by that of row `cityNumber` of the city list (the
// settings' ReadCityListRow), or leaves it when the list cannot be read.
using CityRowReader = std::function<void(CalcParams&)>;

// Apply and Save: checks the fields in the dialog's order, storing each
// value that passes at once into `params` (the row's location through
// `readCityRow` when the list is used). When real-time mode is off, the
// date and time fields are checked too and both go into `current` only when
// both pass. Latitude, longitude and time zone are rounded to the nearest
// hundredth of a degree or minute; the text-to-number conversion stops at a
// comma.
FieldCheck CheckCalcParamsFields(const CalcParamsFields& fields, CalcParams& params,
                                 bool realTimeMode, LocalDateTime& current,
                                 const CityRowReader& readCityRow);

// "Default Values" of the margins and of the angles.
void ResetMargins(CalcParams& params);
void ResetAngles(CalcParams& params);  // -18.0, -17.0, mode 4

// What the dialog does after a wheel step.
enum class WheelEffect {
  kNone,          // the focused field takes no steps
  kCityRow,       // City Nr. changed: read the row, show the location fields
  kLocation,      // Latitude or Longitude changed: show it, recompute at once
  kDateTime,      // CurrentDateTime changed: show date and time, recompute at once
};

// One wheel step on the field with the keyboard focus; `forward` is a turn
// away from the user (a positive delta), which steps down.
WheelEffect StepCalcParamsField(int focusedId, bool forward, CalcParams& params,
                                LocalDateTime& current);

// The date one day earlier or later, through the day of the year, across
// year ends; nothing happens below 1 January 1901 or above 31 December 2099.
void StepDate(LocalDateTime& t, bool up);
// The time one minute earlier or later, wrapping within the day.
void StepTime(LocalDateTime& t, bool up);

}  // namespace korvana
