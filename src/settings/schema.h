#pragma once
// The INI file's "Calculation Parameters" and "Options" sections: every key,
// its default and the program-wide value it fills. Nothing is validated on
// load; ranges are enforced where a dialog is confirmed.

#include <cstdint>
#include <string>

#include "engine/astro_state.h"

namespace korvana {

inline constexpr char kCalcSection[] = "Calculation Parameters";
inline constexpr char kOptionsSection[] = "Options";

// The ten default margins in minutes, FAJR .. ISHA.
extern const int16_t DefaultMargins[10];

struct CalcParams {
  int latitude = 0;         // hundredths of a degree, north positive
  int longitude = 0;        // hundredths of a degree, east positive
  int timeZone = 0;         // minutes east of UTC, standard time
  int windowsTimeZone = 0;  // 1: the system's standard offset instead
  int daylightSaving = 0;   // 1: add 60 minutes (when windowsDaylightSaving is 0)
  int windowsDaylightSaving = 0;  // 1: daylight saving follows the system
  int useList = 0;          // 1: the location comes from the city list
  int cityNumber = 1;       // row of the city list, 1-based
  std::string cityName = "???";     // at most 15 characters
  std::string countryName = "???";  // at most 15 characters
  int16_t margins[10] = {-2, -7, 10, 0, 5, 5, 5, 0, 7, 2};  // minutes, FAJR .. ISHA
  float fajrAngle = -18.0f;  // degrees
  float ishaAngle = -17.0f;  // degrees
  int calcMode = 4;          // 0..5
};

struct Options {
  int fajrAdhanMinutes = 60;           // "Fajr Adhan", before SUNRISE
  bool adhanAtFajr = false;
  int jumuahSalawaatAdvance = 60;      // minutes
  bool jumuahSalawaat = false;
  int predawnSalawaatAdvance = 90;     // minutes
  bool predawnSalawaat = false;
  int reminderAdvance = 20;            // minutes
  bool remind = false;
  bool useSalawaat = false;
  bool useAsr2 = false;
  bool showAllRemainingTimes = false;
  bool automaticClockCorrection = false;
  bool runAtStartup = false;           // the start-up registry value exists
  int relayComPort = 0;                // 0: no relay
  int relayAdvance = 3;                // seconds
  int relayActive = 400;               // seconds
  std::string salawaatTimes = "111111";
  std::string reminderFile = "sala.wav";
  std::string reminderText = "I SWEAR THAT I PRAYED..!";
};

}  // namespace korvana
