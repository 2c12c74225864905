#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/schema.h"
#include "temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace korvana {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

// Records what the settings asked of the scheduler.
struct RequestLog {
  std::vector<bool> calls;  // the timingsStale argument of each call
  SchedulerRequest request() {
    return {[this](bool stale) { calls.push_back(stale); }};
  }
};

// A start-up entry kept in memory.
class FakeStartupEntry : public StartupEntry {
 public:
  bool Exists() override { return exists; }
  bool Set(const std::string& path) override {
    exists = true;
    target = path;
    return true;
  }
  bool Remove() override {
    exists = false;
    return true;
  }
  bool exists = false;
  std::string target;
};

TEST(Schema, NoFileGivesTheDefaults) {
  TempFolder folder;
  const std::string ini = folder.File("none.ini");
  CalcParams p;
  p.latitude = 1;
  p.cityName = "x";
  p.calcMode = 0;
  AstroState engine;
  SetCalcParams(engine, -1500, -1000, 0);
  const int16_t zeros[10] = {};
  SetMargins(engine, zeros);
  RequestLog log;
  LoadCalcParams(ini, p, engine, log.request());

  EXPECT_EQ(p.latitude, 0);
  EXPECT_EQ(p.longitude, 0);
  EXPECT_EQ(p.timeZone, 0);
  EXPECT_EQ(p.windowsTimeZone, 0);
  EXPECT_EQ(p.daylightSaving, 0);
  EXPECT_EQ(p.windowsDaylightSaving, 0);
  EXPECT_EQ(p.useList, 0);
  EXPECT_EQ(p.cityNumber, 1);
  EXPECT_EQ(p.cityName, "???");
  EXPECT_EQ(p.countryName, "???");
  EXPECT_EQ(p.calcMode, 4);
  EXPECT_FLOAT_EQ(p.fajrAngle, -18.0f);
  EXPECT_FLOAT_EQ(p.ishaAngle, -17.0f);
  const int16_t kMargins[10] = {-2, -7, 10, 0, 5, 5, 5, 0, 7, 2};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(p.margins[i], kMargins[i]) << i;
    EXPECT_EQ(DefaultMargins[i], kMargins[i]) << i;
    EXPECT_EQ(engine.margins[i + 1], kMargins[i]) << "pushed " << i;
  }
  EXPECT_FLOAT_EQ(engine.fajrAngle, -18.0f);
  EXPECT_FLOAT_EQ(engine.ishaAngle, -17.0f);
  EXPECT_EQ(engine.calcMode, 4);
  EXPECT_EQ(log.calls, std::vector<bool>{true});

  Options o;
  o.fajrAdhanMinutes = 1;
  o.remind = true;
  o.reminderText = "x";
  engine.crescentVisibility = 7;
  engine.sightAltitude = 7;
  FakeStartupEntry startup;
  RequestLog optionsLog;
  LoadOptions(ini, o, engine, &startup, optionsLog.request());
  EXPECT_EQ(o.fajrAdhanMinutes, 60);
  EXPECT_EQ(o.jumuahSalawaatAdvance, 60);
  EXPECT_EQ(o.predawnSalawaatAdvance, 90);
  EXPECT_EQ(o.reminderAdvance, 20);
  EXPECT_FALSE(o.adhanAtFajr || o.jumuahSalawaat || o.predawnSalawaat || o.remind ||
               o.useSalawaat || o.useAsr2 || o.showAllRemainingTimes ||
               o.automaticClockCorrection || o.runAtStartup);
  EXPECT_EQ(o.relayComPort, 0);
  EXPECT_EQ(o.relayAdvance, 3);
  EXPECT_EQ(o.relayActive, 400);
  EXPECT_EQ(engine.crescentVisibility, 50);
  EXPECT_EQ(engine.sightAltitude, 0);
  EXPECT_EQ(o.salawaatTimes, "111111");
  EXPECT_EQ(o.reminderFile, "sala.wav");
  EXPECT_EQ(o.reminderText, "I SWEAR THAT I PRAYED..!");
  EXPECT_EQ(optionsLog.calls, std::vector<bool>{false});
  EXPECT_FALSE(std::filesystem::exists(ini));  // loading writes nothing
}

TEST(Schema, LoadsValuesAsStored) {
  TempFolder folder;
  const std::string ini = folder.Write(
      "k.ini",
      "[Calculation Parameters]\r\nLatitude=4101\r\nLongitude=-7037\r\nTime Zone=180\r\n"
      "Windows TZ=1\r\nDLS=1\r\nWindows DLS=1\r\nUse List=1\r\nCity Nr.=6540\r\n"
      "City Name=Kahramanmaras Merkez\r\nCountry Name=Turkey\r\nFAJR Margin=-12\r\n"
      "MAGHRIB Margin=99\r\nFajr Angle=-1850\r\nIsha Angle=-1000\r\nCalc. Mode=9\r\n"
      "[Options]\r\nUse Salawaat=yes\r\nRemind=Yes\r\nUse Asr-II=Yes\r\nFajr Adhan=abc\r\n"
      "Crescent Visibility=75\r\nSight Altitude=-20\r\nSalawaat Times=1010101\r\n"
      "Reminder Text=0123456789012345678901234567890123456789\r\n");
  CalcParams p;
  AstroState engine;
  LoadCalcParams(ini, p, engine, {});
  EXPECT_EQ(p.latitude, 4101);  // 41.01 degrees north
  EXPECT_EQ(p.longitude, -7037);
  EXPECT_EQ(p.timeZone, 180);  // three hours east
  EXPECT_EQ(p.windowsTimeZone, 1);
  EXPECT_EQ(p.daylightSaving, 1);
  EXPECT_EQ(p.windowsDaylightSaving, 1);
  EXPECT_EQ(p.useList, 1);
  EXPECT_EQ(p.cityNumber, 6540);
  EXPECT_EQ(p.cityName, "Kahramanmaras M");  // cut to 15
  EXPECT_EQ(p.countryName, "Turkey");
  EXPECT_EQ(p.margins[0], -12);
  EXPECT_EQ(p.margins[8], 99);  // out of the dialog's range, taken as it stands
  EXPECT_EQ(p.margins[1], -7);  // absent: default
  EXPECT_FLOAT_EQ(p.fajrAngle, -18.5f);
  EXPECT_FLOAT_EQ(p.ishaAngle, -10.0f);
  EXPECT_EQ(p.calcMode, 9);
  EXPECT_FLOAT_EQ(engine.fajrAngle, -18.5f);
  EXPECT_EQ(engine.margins[1], -12);

  Options o;
  LoadOptions(ini, o, engine, nullptr, {});
  EXPECT_FALSE(o.useSalawaat);  // lower-case yes is not set
  EXPECT_TRUE(o.remind);
  EXPECT_TRUE(o.useAsr2);
  EXPECT_EQ(AsrTiming(o), kAsr2);
  EXPECT_EQ(o.fajrAdhanMinutes, 0);  // not a number
  EXPECT_EQ(engine.crescentVisibility, 75);
  EXPECT_EQ(engine.sightAltitude, -20);
  EXPECT_EQ(o.salawaatTimes, "101010");  // buffer of 7
  EXPECT_EQ(o.reminderText, "01234567890123456789012345678901");  // buffer of 33
}

TEST(Schema, AnglesKeepTheirHundredthsThroughSaveAndPush) {
  const struct {
    const char* name;
    int stored;
  } cases[] = {{"minus_18_5", -1850}, {"minus_18_3", -1830}, {"minus_17_9", -1790},
               {"minus_15_01", -1501}, {"minus_19_99", -1999}};
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string ini = folder.Write(
        std::string(c.name) + ".ini",
        "[Calculation Parameters]\r\nFajr Angle=" + std::to_string(c.stored) +
            "\r\nIsha Angle=" + std::to_string(c.stored) + "\r\n");
    CalcParams p;
    AstroState engine;
    LoadCalcParams(ini, p, engine, {});
    EXPECT_EQ(AngleHundredths(p.fajrAngle), c.stored);
    EXPECT_FLOAT_EQ(engine.fajrAngle, static_cast<float>(c.stored / 100.0));
    ASSERT_TRUE(SaveCalcParams(ini, p, engine, {}));
    EXPECT_EQ(ReadIniInt(ini, kCalcSection, "Fajr Angle", 0), c.stored);
    EXPECT_EQ(ReadIniInt(ini, kCalcSection, "Isha Angle", 0), c.stored);
  }
}

TEST(Schema, SaveWritesEveryKeyInOrder) {
  TempFolder folder;
  const std::string ini = folder.File("k.ini");
  CalcParams p;
  p.latitude = 4101;
  p.longitude = 2897;
  p.timeZone = 120;
  p.windowsDaylightSaving = 1;
  p.cityNumber = 3;
  p.cityName = "Istanbul";
  p.countryName = "Turkey";
  p.fajrAngle = -18.5f;
  AstroState engine;
  RequestLog log;
  ASSERT_TRUE(SaveCalcParams(ini, p, engine, log.request()));
  EXPECT_EQ(ReadBytes(ini),
            "[Calculation Parameters]\r\nLatitude=4101\r\nLongitude=2897\r\nTime Zone=120\r\n"
            "Windows TZ=0\r\nDLS=0\r\nWindows DLS=1\r\nUse List=0\r\nCity Nr.=3\r\n"
            "City Name=Istanbul\r\nCountry Name=Turkey\r\nFAJR Margin=-2\r\n"
            "SUNRISE Margin=-7\r\nISHRAQ Margin=10\r\nMID-DAY Margin=0\r\nZUHR Margin=5\r\n"
            "ASR-I Margin=5\r\nASR-II Margin=5\r\nFADING Margin=0\r\nMAGHRIB Margin=7\r\n"
            "ISHA Margin=2\r\nFajr Angle=-1850\r\nIsha Angle=-1700\r\nCalc. Mode=4\r\n");
  EXPECT_EQ(log.calls, std::vector<bool>{true});

  const std::string optionsIni = folder.File("o.ini");
  Options o;
  o.remind = true;
  o.useAsr2 = true;
  engine.crescentVisibility = 60;
  engine.sightAltitude = 120;
  RequestLog optionsLog;
  ASSERT_TRUE(SaveOptions(optionsIni, o, engine, nullptr, "", optionsLog.request()));
  EXPECT_EQ(ReadBytes(optionsIni),
            "[Options]\r\nFajr Adhan=60\r\nAdhan at Fajr=No\r\nJumuah Salawaat Advance=60\r\n"
            "Jumuah Salawaat=No\r\nPredawn Salawaat Advance=90\r\nPredawn Salawaat=No\r\n"
            "Reminder Advance=20\r\nRemind=Yes\r\nUse Salawaat=No\r\nUse Asr-II=Yes\r\n"
            "Show All Remaining Times=No\r\nAutomatic Clock Correction=No\r\n"
            "Relay COM-port=0\r\nRelay Advance=3\r\nRelay Active=400\r\n"
            "Crescent Visibility=60\r\nSight Altitude=120\r\nSalawaat Times=111111\r\n"
            "Reminder File=sala.wav\r\nReminder Text=I SWEAR THAT I PRAYED..!\r\n");
  EXPECT_EQ(optionsLog.calls, std::vector<bool>{false});

  // Saved and loaded again, the values come back.
  CalcParams back;
  LoadCalcParams(ini, back, engine, {});
  EXPECT_EQ(back.latitude, 4101);
  EXPECT_EQ(back.cityName, "Istanbul");
  EXPECT_FLOAT_EQ(back.fajrAngle, -18.5f);
}

TEST(Schema, ReadOnlyFileIsNotChangedButThePushHappens) {
  TempFolder folder;
  const std::string original = "[Calculation Parameters]\r\nLatitude=100\r\n";
  const std::string ini = folder.Write("k.ini", original);
  std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
  CalcParams p;
  p.latitude = 4101;
  p.calcMode = 2;
  AstroState engine;
  RequestLog log;
  EXPECT_FALSE(SaveCalcParams(ini, p, engine, log.request()));
  EXPECT_EQ(ReadBytes(ini), original);
  EXPECT_EQ(engine.calcMode, 2);
  EXPECT_EQ(log.calls, std::vector<bool>{true});
}

TEST(Schema, StartUpEntryFollowsTheFlag) {
  TempFolder folder;
  const std::string ini = folder.File("k.ini");
  FakeStartupEntry startup;
  Options o;
  AstroState engine;
  o.runAtStartup = true;
  SaveOptions(ini, o, engine, &startup, "C:\\Korvana\\korvana.exe", {});
  EXPECT_TRUE(startup.exists);
  EXPECT_EQ(startup.target, "C:\\Korvana\\korvana.exe");
  // Moved and saved again: the entry names the new place.
  SaveOptions(ini, o, engine, &startup, "D:\\Tools\\korvana.exe", {});
  EXPECT_EQ(startup.target, "D:\\Tools\\korvana.exe");
  Options loaded;
  LoadOptions(ini, loaded, engine, &startup, {});
  EXPECT_TRUE(loaded.runAtStartup);
  o.runAtStartup = false;
  SaveOptions(ini, o, engine, &startup, "D:\\Tools\\korvana.exe", {});
  EXPECT_FALSE(startup.exists);
  LoadOptions(ini, loaded, engine, &startup, {});
  EXPECT_FALSE(loaded.runAtStartup);
}

// The host's own entry, in a temporary configuration folder (natively) or in
// the registry of the test's Wine prefix.
TEST(Schema, HostStartUpEntry) {
  TempFolder folder;
#ifdef _WIN32
  const std::string exe = "C:\\Program Files\\Korvana\\korvana.exe";
#else
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string savedValue = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);
  const std::string exe = "/opt/korvana \"x\"/korvana";
#endif
  StartupEntry& entry = HostStartupEntry();
  ASSERT_TRUE(entry.Remove());
  EXPECT_FALSE(entry.Exists());
  ASSERT_TRUE(entry.Set(exe));
  EXPECT_TRUE(entry.Exists());
#ifdef _WIN32
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                          0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  char data[MAX_PATH] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  ASSERT_EQ(RegQueryValueExA(key, "Korvana", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(data), exe);
#else
  const std::string desktop = ReadBytes(folder.File("config/autostart/korvana.desktop"));
  EXPECT_NE(desktop.find("[Desktop Entry]\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nExec=\"/opt/korvana \\\\\"x\\\\\"/korvana\"\n"), std::string::npos)
      << desktop;
#endif
  ASSERT_TRUE(entry.Remove());
  EXPECT_FALSE(entry.Exists());
  EXPECT_TRUE(entry.Remove());  // nothing left to remove
#ifndef _WIN32
  if (saved) {
    setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
#endif
}

TEST(Schema, SectionWithoutKeys) {
  TempFolder folder;
  const std::string ini =
      folder.Write("k.ini", "[Calculation Parameters]\r\n\r\n[Options]\r\nRemind=No\r\n");
  EXPECT_FALSE(IniSectionHasKeys(ini, kCalcSection));
  EXPECT_TRUE(IniSectionHasKeys(ini, kOptionsSection));
  EXPECT_FALSE(IniSectionHasKeys(folder.File("none.ini"), kOptionsSection));
}

TEST(Schema, KeysKeptByOtherParts) {
  const struct {
    const char* name;
    const char* options;  // lines of the Options section
    bool wakeUp;
    bool adhanOn;
    bool adhanUnset;
    int messages;
    int wall;
  } cases[] = {
      {"nothing", "", false, true, true, 2, 0},
      {"all_set", "Wake Up=Yes\r\nAdhan/Salawaat=No\r\nmessages=1\r\nWall=Earth\r\n", true, false,
       false, 1, 2},
      {"lower_case_words", "Wake Up=yes\r\nAdhan/Salawaat=no\r\nWall=moon\r\n", false, true, false,
       2, 0},
      {"empty_values", "Wake Up=\r\nAdhan/Salawaat=\r\nmessages=\r\nWall=\r\n", false, true, true,
       2, 0},
      {"globe_and_none", "Adhan/Salawaat=Yes\r\nWall=Globe\r\nmessages=0\r\n", false, true, false,
       0, 3},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string ini =
        folder.Write(std::string(c.name) + ".ini", std::string("[Options]\r\n") + c.options);
    EXPECT_EQ(ReadWakeUp(ini), c.wakeUp);
    EXPECT_EQ(ReadAdhanSalawaat(ini).on, c.adhanOn);
    EXPECT_EQ(ReadAdhanSalawaat(ini).unset, c.adhanUnset);
    EXPECT_EQ(ReadMessageMode(ini), c.messages);
    EXPECT_EQ(ReadWallpaperMode(ini), c.wall);
  }

  const std::string ini = folder.File("w.ini");
  EXPECT_EQ(ReadAdhanFile(ini, kAsr2), "ezan.wav");
  EXPECT_EQ(ReadTallyName(ini, 3), "Tally-3");
  EXPECT_EQ(ReadLastHolyDay(ini), "");
  ASSERT_TRUE(WriteWakeUp(ini, true));
  ASSERT_TRUE(WriteAdhanSalawaat(ini, false));
  ASSERT_TRUE(WriteMessageMode(ini, 1));
  ASSERT_TRUE(WriteWallpaperMode(ini, 7));
  ASSERT_TRUE(WriteLastHolyDay(ini, "27/06/2014"));
  ASSERT_TRUE(WriteAdhanFile(ini, kAsr2, "C:\\ezan\\asr.wav"));
  ASSERT_TRUE(WriteAdhanFile(ini, kSunset, "maghrib.wav"));
  ASSERT_TRUE(WriteTallyName(ini, 3, "Subhanallah"));
  EXPECT_EQ(ReadBytes(ini),
            "[Options]\r\nWake Up=Yes\r\nAdhan/Salawaat=No\r\nmessages=1\r\nWall=None\r\n"
            "Last Holy Day=27/06/2014\r\nASR-II=C:\\ezan\\asr.wav\r\nMAGHRIB=maghrib.wav\r\n"
            "Tally-3 Name=Subhanallah\r\n");
  EXPECT_EQ(ReadAdhanFile(ini, kAsr1), "ezan.wav");
  EXPECT_EQ(ReadAdhanFile(ini, kAsr2), "C:\\ezan\\asr.wav");
  EXPECT_EQ(ReadTallyName(ini, 3), "Subhanallah");
  EXPECT_EQ(ReadLastHolyDay(ini), "27/06/2014");
}

}  // namespace
}  // namespace korvana
