#include "settings/schema.h"

#include <cmath>
#include <string>

#include "settings/ini_file.h"

namespace korvana {

const int16_t DefaultMargins[10] = {-2, -7, 10, 0, 5, 5, 5, 0, 7, 2};

namespace {

std::string MarginKey(int index) { return std::string(TimingNames[index]) + " Margin"; }

// Yes/No keys count as set only when they hold "Yes", case included.
bool ReadYes(const std::string& path, const char* key) {
  return ReadIniString(path, kOptionsSection, key, "", kIniTextBytes) == "Yes";
}

bool WriteYesNo(const std::string& path, const char* key, bool on) {
  return WriteIniString(path, kOptionsSection, key, on ? "Yes" : "No");
}

void AskFullCheck(const SchedulerRequest& request, bool timingsStale) {
  if (request.fullCheck) request.fullCheck(timingsStale);
}

}  // namespace

int16_t AngleHundredths(float degrees) {
  const double hundredths = std::floor(static_cast<double>(degrees) * 100.0 + 0.5);
  if (!(hundredths >= -32768.0 && hundredths <= 32767.0)) return hundredths < 0 ? -32768 : 32767;
  return static_cast<int16_t>(hundredths);
}

CalcParams ReadCalcParams(const std::string& path) {
  CalcParams p;
  p.latitude = ReadIniInt(path, kCalcSection, "Latitude", 0);
  p.longitude = ReadIniInt(path, kCalcSection, "Longitude", 0);
  p.timeZone = ReadIniInt(path, kCalcSection, "Time Zone", 0);
  p.windowsTimeZone = ReadIniInt(path, kCalcSection, "Windows TZ", 0);
  p.daylightSaving = ReadIniInt(path, kCalcSection, "DLS", 0);
  p.windowsDaylightSaving = ReadIniInt(path, kCalcSection, "Windows DLS", 0);
  p.useList = ReadIniInt(path, kCalcSection, "Use List", 0);
  p.cityNumber = ReadIniInt(path, kCalcSection, "City Nr.", 1);
  p.cityName = ReadIniString(path, kCalcSection, "City Name", "???", kNameBytes);
  p.countryName = ReadIniString(path, kCalcSection, "Country Name", "???", kNameBytes);
  for (int i = 0; i < 10; ++i)
    p.margins[i] = static_cast<int16_t>(ReadIniInt(path, kCalcSection, MarginKey(i), DefaultMargins[i]));
  p.fajrAngle = static_cast<float>(ReadIniInt(path, kCalcSection, "Fajr Angle", -1800) / 100.0);
  p.ishaAngle = static_cast<float>(ReadIniInt(path, kCalcSection, "Isha Angle", -1700) / 100.0);
  p.calcMode = ReadIniInt(path, kCalcSection, "Calc. Mode", 4);
  return p;
}

void PushCalcParams(const CalcParams& params, AstroState& engine, const SchedulerRequest& request) {
  SetMargins(engine, params.margins);
  SetCalcParams(engine, AngleHundredths(params.fajrAngle), AngleHundredths(params.ishaAngle),
                static_cast<int16_t>(params.calcMode));
  AskFullCheck(request, /*timingsStale=*/true);
}

void LoadCalcParams(const std::string& iniPath, CalcParams& params, AstroState& engine,
                    const SchedulerRequest& request) {
  params = ReadCalcParams(iniPath);
  PushCalcParams(params, engine, request);
}

bool SaveCalcParams(const std::string& path, const CalcParams& p, AstroState& engine,
                    const SchedulerRequest& request) {
  bool ok = true;
  ok &= WriteIniInt(path, kCalcSection, "Latitude", p.latitude);
  ok &= WriteIniInt(path, kCalcSection, "Longitude", p.longitude);
  ok &= WriteIniInt(path, kCalcSection, "Time Zone", p.timeZone);
  ok &= WriteIniInt(path, kCalcSection, "Windows TZ", p.windowsTimeZone);
  ok &= WriteIniInt(path, kCalcSection, "DLS", p.daylightSaving);
  ok &= WriteIniInt(path, kCalcSection, "Windows DLS", p.windowsDaylightSaving);
  ok &= WriteIniInt(path, kCalcSection, "Use List", p.useList);
  ok &= WriteIniInt(path, kCalcSection, "City Nr.", p.cityNumber);
  ok &= WriteIniString(path, kCalcSection, "City Name", p.cityName);
  ok &= WriteIniString(path, kCalcSection, "Country Name", p.countryName);
  for (int i = 0; i < 10; ++i) ok &= WriteIniInt(path, kCalcSection, MarginKey(i), p.margins[i]);
  ok &= WriteIniInt(path, kCalcSection, "Fajr Angle", AngleHundredths(p.fajrAngle));
  ok &= WriteIniInt(path, kCalcSection, "Isha Angle", AngleHundredths(p.ishaAngle));
  ok &= WriteIniInt(path, kCalcSection, "Calc. Mode", p.calcMode);
  PushCalcParams(p, engine, request);
  return ok;
}

void LoadOptions(const std::string& path, Options& o, AstroState& engine, StartupEntry* startup,
                 const SchedulerRequest& request) {
  o.fajrAdhanMinutes = ReadIniInt(path, kOptionsSection, "Fajr Adhan", 60);
  o.adhanAtFajr = ReadYes(path, "Adhan at Fajr");
  o.jumuahSalawaatAdvance = ReadIniInt(path, kOptionsSection, "Jumuah Salawaat Advance", 60);
  o.jumuahSalawaat = ReadYes(path, "Jumuah Salawaat");
  o.predawnSalawaatAdvance = ReadIniInt(path, kOptionsSection, "Predawn Salawaat Advance", 90);
  o.predawnSalawaat = ReadYes(path, "Predawn Salawaat");
  o.reminderAdvance = ReadIniInt(path, kOptionsSection, "Reminder Advance", 20);
  o.remind = ReadYes(path, "Remind");
  o.useSalawaat = ReadYes(path, "Use Salawaat");
  o.useAsr2 = ReadYes(path, "Use Asr-II");
  o.showAllRemainingTimes = ReadYes(path, "Show All Remaining Times");
  o.automaticClockCorrection = ReadYes(path, "Automatic Clock Correction");
  if (startup != nullptr) o.runAtStartup = startup->Exists();
  o.relayComPort = ReadIniInt(path, kOptionsSection, "Relay COM-port", 0);
  o.relayAdvance = ReadIniInt(path, kOptionsSection, "Relay Advance", 3);
  o.relayActive = ReadIniInt(path, kOptionsSection, "Relay Active", 400);
  engine.crescentVisibility =
      static_cast<int16_t>(ReadIniInt(path, kOptionsSection, "Crescent Visibility", 50));
  engine.sightAltitude = static_cast<int16_t>(ReadIniInt(path, kOptionsSection, "Sight Altitude", 0));
  o.salawaatTimes = ReadIniString(path, kOptionsSection, "Salawaat Times", "111111", kSalawaatTimesBytes);
  o.reminderFile = ReadIniString(path, kOptionsSection, "Reminder File", "sala.wav", kIniTextBytes);
  o.reminderText = ReadIniString(path, kOptionsSection, "Reminder Text", "I SWEAR THAT I PRAYED..!",
                                 kReminderTextBytes);
  AskFullCheck(request, /*timingsStale=*/false);
}

bool SaveOptions(const std::string& path, const Options& o, const AstroState& engine,
                 StartupEntry* startup, const std::string& executablePath,
                 const SchedulerRequest& request) {
  bool ok = true;
  ok &= WriteIniInt(path, kOptionsSection, "Fajr Adhan", o.fajrAdhanMinutes);
  ok &= WriteYesNo(path, "Adhan at Fajr", o.adhanAtFajr);
  ok &= WriteIniInt(path, kOptionsSection, "Jumuah Salawaat Advance", o.jumuahSalawaatAdvance);
  ok &= WriteYesNo(path, "Jumuah Salawaat", o.jumuahSalawaat);
  ok &= WriteIniInt(path, kOptionsSection, "Predawn Salawaat Advance", o.predawnSalawaatAdvance);
  ok &= WriteYesNo(path, "Predawn Salawaat", o.predawnSalawaat);
  ok &= WriteIniInt(path, kOptionsSection, "Reminder Advance", o.reminderAdvance);
  ok &= WriteYesNo(path, "Remind", o.remind);
  ok &= WriteYesNo(path, "Use Salawaat", o.useSalawaat);
  ok &= WriteYesNo(path, "Use Asr-II", o.useAsr2);
  ok &= WriteYesNo(path, "Show All Remaining Times", o.showAllRemainingTimes);
  ok &= WriteYesNo(path, "Automatic Clock Correction", o.automaticClockCorrection);
  ok &= WriteIniInt(path, kOptionsSection, "Relay COM-port", o.relayComPort);
  ok &= WriteIniInt(path, kOptionsSection, "Relay Advance", o.relayAdvance);
  ok &= WriteIniInt(path, kOptionsSection, "Relay Active", o.relayActive);
  ok &= WriteIniInt(path, kOptionsSection, "Crescent Visibility", engine.crescentVisibility);
  ok &= WriteIniInt(path, kOptionsSection, "Sight Altitude", engine.sightAltitude);
  ok &= WriteIniString(path, kOptionsSection, "Salawaat Times", o.salawaatTimes);
  ok &= WriteIniString(path, kOptionsSection, "Reminder File", o.reminderFile);
  ok &= WriteIniString(path, kOptionsSection, "Reminder Text", o.reminderText);
  // Failures of the start-up entry are not reported: it then reads as not set.
  if (startup != nullptr) {
    if (o.runAtStartup) {
      startup->Set(executablePath);
    } else {
      startup->Remove();
    }
  }
  AskFullCheck(request, /*timingsStale=*/false);
  return ok;
}

// --- Keys kept by other parts of the program ---

bool ReadWakeUp(const std::string& path) { return ReadYes(path, "Wake Up"); }

bool WriteWakeUp(const std::string& path, bool on) { return WriteYesNo(path, "Wake Up", on); }

AdhanSalawaatSetting ReadAdhanSalawaat(const std::string& path) {
  const std::string value = ReadIniString(path, kOptionsSection, "Adhan/Salawaat", "", kIniTextBytes);
  return {value != "No", value.empty()};
}

bool WriteAdhanSalawaat(const std::string& path, bool on) {
  return WriteYesNo(path, "Adhan/Salawaat", on);
}

int ReadMessageMode(const std::string& path) {
  return ReadIniInt(path, kOptionsSection, "messages", 2);
}

bool WriteMessageMode(const std::string& path, int mode) {
  return WriteIniInt(path, kOptionsSection, "messages", mode);
}

namespace {
const char* const kWallpaperWords[] = {"None", "Moon", "Earth", "Globe"};
}  // namespace

int ReadWallpaperMode(const std::string& path) {
  const std::string value = ReadIniString(path, kOptionsSection, "Wall", "", kIniTextBytes);
  for (int mode = 1; mode <= 3; ++mode)
    if (value == kWallpaperWords[mode]) return mode;
  return 0;
}

bool WriteWallpaperMode(const std::string& path, int mode) {
  return WriteIniString(path, kOptionsSection, "Wall",
                        kWallpaperWords[mode >= 1 && mode <= 3 ? mode : 0]);
}

std::string ReadLastHolyDay(const std::string& path) {
  return ReadIniString(path, kOptionsSection, "Last Holy Day", "", kIniTextBytes);
}

bool WriteLastHolyDay(const std::string& path, const std::string& date) {
  return WriteIniString(path, kOptionsSection, "Last Holy Day", date);
}

std::string ReadAdhanFile(const std::string& path, PrayerKind timing) {
  return ReadIniString(path, kOptionsSection, TimingNames[timing - 1], "ezan.wav", kIniTextBytes);
}

bool WriteAdhanFile(const std::string& path, PrayerKind timing, const std::string& file) {
  return WriteIniString(path, kOptionsSection, TimingNames[timing - 1], file);
}

std::string ReadTallyName(const std::string& path, int number) {
  const std::string stem = "Tally-" + std::to_string(number);
  return ReadIniString(path, kOptionsSection, stem + " Name", stem, kIniTextBytes);
}

bool WriteTallyName(const std::string& path, int number, const std::string& name) {
  return WriteIniString(path, kOptionsSection, "Tally-" + std::to_string(number) + " Name", name);
}

bool IniSectionHasKeys(const std::string& path, const std::string& section) {
  return !ReadIniKeys(path, section).empty();
}

}  // namespace korvana
