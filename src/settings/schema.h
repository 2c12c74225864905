#pragma once
// The INI file's "Calculation Parameters" and "Options" sections: every key,
// its default and the program-wide value it fills, with the load, save and
// push operations the dialogs end in. Nothing is validated on load; ranges
// are enforced where a dialog is confirmed. Each operation goes to the file:
// nothing is cached between accesses.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/astro_state.h"
#include "engine/prayer_times.h"
#include "platform/startup_entry.h"

namespace korvana {

inline constexpr char kCalcSection[] = "Calculation Parameters";
inline constexpr char kOptionsSection[] = "Options";

// Buffer sizes of the string keys, terminating zero included: the longest
// value kept is one less.
inline constexpr size_t kNameBytes = 16;        // City Name, Country Name
inline constexpr size_t kIniTextBytes = 255;    // paths, Yes/No words, tally names
inline constexpr size_t kSalawaatTimesBytes = 7;
inline constexpr size_t kReminderTextBytes = 33;

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
  bool runAtStartup = false;           // the start-up entry exists
  int relayComPort = 0;                // 0: no relay
  int relayAdvance = 3;                // seconds
  int relayActive = 400;               // seconds
  std::string salawaatTimes = "111111";
  std::string reminderFile = "sala.wav";
  std::string reminderText = "I SWEAR THAT I PRAYED..!";
};

// ASR-II while "Use Asr-II" is set, else ASR-I.
inline PrayerKind AsrTiming(const Options& options) { return options.useAsr2 ? kAsr2 : kAsr1; }

// What the settings ask of the scheduler. `fullCheck(false)` sets
// TickCountdown to 0 (a full check at the next tick); `fullCheck(true)` also
// sets RefreshLevel to TimingsStale, so that the check sends the location to
// the engine and recomputes the timings. An empty function asks nothing.
struct SchedulerRequest {
  std::function<void(bool timingsStale)> fullCheck;
};

// The angles as the engine takes them: hundredths of a degree, rounded to
// the nearest, so that -18.3 degrees gives -1830 (cutting toward zero would
// give -1829 from the float).
int16_t AngleHundredths(float degrees);

// Reads the "Calculation Parameters" section (defaults for what is missing).
CalcParams ReadCalcParams(const std::string& iniPath);

// Sends the margins, angles and mode to the engine and asks for fresh timings.
void PushCalcParams(const CalcParams& params, AstroState& engine, const SchedulerRequest& request);
// Reads the section into `params`, then pushes them.
void LoadCalcParams(const std::string& iniPath, CalcParams& params, AstroState& engine,
                    const SchedulerRequest& request);
// Writes every key of the section, then pushes. False when the file could
// not be written (the push happens all the same).
bool SaveCalcParams(const std::string& iniPath, const CalcParams& params, AstroState& engine,
                    const SchedulerRequest& request);

// Reads the Options-dialog keys into `options` and the crescent-visibility
// and sight-altitude keys into the engine; with a start-up entry, its
// existence into runAtStartup. Asks for a full check.
void LoadOptions(const std::string& iniPath, Options& options, AstroState& engine,
                 StartupEntry* startup, const SchedulerRequest& request);
// Writes the Options-dialog keys (crescent visibility and sight altitude from
// the engine); with a start-up entry, sets it to `executablePath` or removes
// it per runAtStartup. Asks for a full check. False when the file could not
// be written.
bool SaveOptions(const std::string& iniPath, const Options& options, const AstroState& engine,
                 StartupEntry* startup, const std::string& executablePath,
                 const SchedulerRequest& request);

// --- Keys of the "Options" section that other parts of the program keep ---

// "Wake Up": set only by the exact word "Yes".
bool ReadWakeUp(const std::string& iniPath);
bool WriteWakeUp(const std::string& iniPath, bool on);

// "Adhan/Salawaat": on unless the value is exactly "No". `unset` tells that
// the key is absent or empty (start-up then also opens the user manual).
struct AdhanSalawaatSetting {
  bool on = true;
  bool unset = true;
};
AdhanSalawaatSetting ReadAdhanSalawaat(const std::string& iniPath);
bool WriteAdhanSalawaat(const std::string& iniPath, bool on);

// "messages": MessageMode 0 none, 1 balloon, 2 message box (default 2).
int ReadMessageMode(const std::string& iniPath);
bool WriteMessageMode(const std::string& iniPath, int mode);

// "Wall": 1 "Moon", 2 "Earth", 3 "Globe"; anything else (or none) is 0.
int ReadWallpaperMode(const std::string& iniPath);
// Writes "Moon", "Earth", "Globe", or "None" for any other mode.
bool WriteWallpaperMode(const std::string& iniPath, int mode);

// "Last Holy Day": the date "%02u/%02u/%04u" (day/month/year) of the last
// holy-day warning, "" when none.
std::string ReadLastHolyDay(const std::string& iniPath);
bool WriteLastHolyDay(const std::string& iniPath, const std::string& date);

// The adhan file of a slot, keyed by its timing's name ("FAJR", "ZUHR",
// "ASR-I" or "ASR-II", "MAGHRIB", "ISHA"); default "ezan.wav".
std::string ReadAdhanFile(const std::string& iniPath, PrayerKind timing);
bool WriteAdhanFile(const std::string& iniPath, PrayerKind timing, const std::string& path);

// "Tally-N Name", N = 1..5; default "Tally-N".
std::string ReadTallyName(const std::string& iniPath, int number);
bool WriteTallyName(const std::string& iniPath, int number, const std::string& name);

// True when the section holds at least one key (start-up opens the dialog
// of a section that holds none).
bool IniSectionHasKeys(const std::string& iniPath, const std::string& section);

}  // namespace korvana
