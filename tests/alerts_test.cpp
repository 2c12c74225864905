// The alerts: sound files and the relay, the adhan and reminder messages in
// the three message modes, error reports, and the choice of adhan files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "shell/alerts.h"
#include "shell_fakes.h"
#include "temp_folder.h"

namespace korvana {
namespace {

using testing::FakeShell;
using testing::TempFolder;
using Log = std::vector<std::string>;

const std::string kSupplicationTail =
    "O' Allah!\n"
    "The Sovereign Lord of the ever-establishing prayer and of this perfect call,\n"
    "\n"
    "grant our leader Hadrat Muhammad (peace be upon him)\n"
    "\"Al-Waseelah\" (the loftiest position of intercession) and\n"
    "\"Al-Fadeela\" (the singular Fee excellence) and the highest rank,\n"
    "\n"
    "and elevate him to \"Maqaam-e-Mahmood\" which You promised\n"
    "(an exclusively praise-worthy primacy reserved only for the Holy Prophet),\n"
    "\n"
    "Undoubtedly, You do not do anything against Your promise...\n";

class AlertsTest : public ::testing::Test {
 protected:
  AlertsTest() : io(shell.Services()) { state.iniPath = folder.File("korvana.ini"); }

  TempFolder folder;
  ProgramState state;
  FakeShell shell;
  ShellServices io;
};

TEST(SupplicationText, IsTheFifteenLinesWithTheSlotName) {
  const std::vector<std::string> lines = {
      "",
      "\tZUHR ADHAN TIME...",
      "",
      "O' Allah!",
      "The Sovereign Lord of the ever-establishing prayer and of this perfect call,",
      "",
      "grant our leader Hadrat Muhammad (peace be upon him)",
      "\"Al-Waseelah\" (the loftiest position of intercession) and",
      "\"Al-Fadeela\" (the singular Fee excellence) and the highest rank,",
      "",
      "and elevate him to \"Maqaam-e-Mahmood\" which You promised",
      "(an exclusively praise-worthy primacy reserved only for the Holy Prophet),",
      "",
      "Undoubtedly, You do not do anything against Your promise...",
      ""};
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) joined += (i == 0 ? "" : "\n") + lines[i];
  EXPECT_EQ(SupplicationText("ZUHR"), joined);
}

struct PlayCase {
  const char* name;
  std::string path;
  int messageMode;
  int relayPort;
  bool adhanOn;
  bool wavPlays;
  bool programStarts;
  bool portOpens;
  int relayAdvance;
  Log expected;
};

class PlayAlertFileTest : public AlertsTest, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(PlayAlertFileTest, DoesWhatTheCaseSays) {
  const PlayCase& c = GetParam();
  state.MessageMode = c.messageMode;
  state.options.relayComPort = c.relayPort;
  state.options.relayAdvance = c.relayAdvance;
  state.AdhanSalawaatOn = c.adhanOn;
  shell.wavPlays = c.wavPlays;
  shell.programStarts = c.programStarts;
  shell.portOpens = c.portOpens;
  PlayAlertFile(state, io, c.path);
  EXPECT_EQ(shell.log, c.expected);
}

const std::string kBox = "|owned,warning";  // the error box's style

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayAlertFileTest,
    ::testing::Values(
        PlayCase{"wav_without_relay", "ezan.wav", kMessagesBox, 0, true, true, true, true, 3,
                 {"wav:ezan.wav"}},
        PlayCase{"wav_in_upper_case_is_a_wav", "EZAN.WAV", kMessagesBox, 0, true, true, true,
                 true, 3, {"wav:EZAN.WAV"}},
        PlayCase{"mp3_goes_to_its_program", "adhan.MP3", kMessagesBox, 0, true, true, true, true,
                 3, {"open:adhan.MP3"}},
        PlayCase{"no_extension_goes_to_its_program", "C:\\my.sounds\\adhan", kMessagesBox, 0,
                 true, true, true, true, 3, {"open:C:\\my.sounds\\adhan"}},
        PlayCase{"switched_off_plays_nothing_and_pulses_nothing", "ezan.wav", kMessagesBox, 3,
                 false, true, true, true, 3, {}},
        PlayCase{"relay_raised_before_the_sound", "ezan.wav", kMessagesBox, 3, true, true, true,
                 true, 3,
                 {"relay-close", "relay-open:\\\\.\\COM3", "relay-break", "pause:3000",
                  "timer:6:400000", "wav:ezan.wav"}},
        PlayCase{"relay_port_12_by_device_path", "ezan.wav", kMessagesNone, 12, true, true, true,
                 true, 3,
                 {"relay-close", "relay-open:\\\\.\\COM12", "relay-break", "pause:3000",
                  "timer:6:400000", "wav:ezan.wav"}},
        PlayCase{"negative_relay_advance_waits_nothing", "ezan.wav", kMessagesNone, 1, true, true,
                 true, true, -5,
                 {"relay-close", "relay-open:\\\\.\\COM1", "relay-break", "pause:0",
                  "timer:6:400000", "wav:ezan.wav"}},
        PlayCase{"port_in_use_box_and_the_sound_still_plays", "ezan.wav", kMessagesBox, 3, true,
                 true, true, false, 3,
                 {"relay-close", "relay-open:\\\\.\\COM3", "wav:ezan.wav",
                  "box:Error:COM3 cannot be initialized..." + kBox}},
        PlayCase{"port_in_use_balloon_then_pause", "ezan.wav", kMessagesBalloon, 3, true, true,
                 true, false, 3,
                 {"relay-close", "relay-open:\\\\.\\COM3", "wav:ezan.wav",
                  "balloon:3:Error:COM3 cannot be initialized...", "pause:5000"}},
        PlayCase{"player_fails_in_none_mode_pause_only", "adhan.mp3", kMessagesNone, 0, true,
                 true, false, true, 3, {"open:adhan.mp3", "pause:5000"}},
        PlayCase{"player_fails_in_box_mode", "adhan.mp3", kMessagesBox, 0, true, true, false,
                 true, 3, {"open:adhan.mp3", "box:Error:adhan.mp3\ncannot be executed..." + kBox}},
        PlayCase{"later_error_is_the_one_reported", "adhan.mp3", kMessagesBalloon, 3, true, true,
                 false, false, 3,
                 {"relay-close", "relay-open:\\\\.\\COM3", "open:adhan.mp3",
                  "balloon:3:Error:adhan.mp3\ncannot be executed...", "pause:5000"}},
        PlayCase{"missing_wav_reported_with_its_path", "C:\\Sounds\\ezan.wav", kMessagesBox, 0,
                 true, false, true, true, 3,
                 {"wav:C:\\Sounds\\ezan.wav",
                  "box:Error:C:\\Sounds\\ezan.wav\ncannot be played..." + kBox}}),
    [](const ::testing::TestParamInfo<PlayCase>& info) { return std::string(info.param.name); });

TEST_F(AlertsTest, ExternalPlayerIsStoppedWithTheMediaStopKeyOnce) {
  PlayAlertFile(state, io, "adhan.mp3");
  EXPECT_TRUE(state.PlayerLaunched);
  StopAlertSound(state, io);
  StopAlertSound(state, io);
  EXPECT_EQ(shell.log, (Log{"open:adhan.mp3", "stop-wav", "media-stop", "stop-wav"}));
  EXPECT_FALSE(state.PlayerLaunched);
}

TEST_F(AlertsTest, RelayPulseEndsOnTimerSixAndRestartsWithTheNextSound) {
  state.options.relayComPort = 3;
  state.options.relayActive = 10;
  PlayAlertFile(state, io, "sala.wav");
  PlayAlertFile(state, io, "ezan.wav");
  EndRelayPulse(state, io);
  const Log relayLines = {"relay-close", "relay-open:\\\\.\\COM3", "relay-break", "pause:3000",
                          "timer:6:10000"};
  Log expected = relayLines;
  expected.push_back("wav:sala.wav");
  expected.insert(expected.end(), relayLines.begin(), relayLines.end());
  expected.push_back("wav:ezan.wav");
  expected.push_back("stop-timer:6");
  expected.push_back("relay-clear");
  EXPECT_EQ(shell.log, expected);
}

struct AdhanCase {
  const char* name;
  int messageMode;
  int relayPort;
  bool adhanOn;
  bool useAsr2;
  int slot;
  bool wavPlays;
  Log expected;
};

class AnnounceAdhanTest : public AlertsTest, public ::testing::WithParamInterface<AdhanCase> {};

TEST_P(AnnounceAdhanTest, PresentsTheAdhanByMessageMode) {
  const AdhanCase& c = GetParam();
  state.MessageMode = c.messageMode;
  state.options.relayComPort = c.relayPort;
  state.options.useAsr2 = c.useAsr2;
  state.AdhanSalawaatOn = c.adhanOn;
  shell.wavPlays = c.wavPlays;
  const char* files[] = {"fajr.wav", "zuhr.wav", "asr.wav", "maghrib.wav", "isha.wav"};
  for (int i = 0; i < kAdhanSlotCount; ++i) state.AdhanFiles[i] = files[i];
  AnnounceAdhan(state, io, c.slot);
  EXPECT_EQ(shell.log, c.expected);
}

std::string AdhanBox(const std::string& name) {
  return "box:Korvana:\n\t" + name + " ADHAN TIME...\n\n" + kSupplicationTail +
         "|owned,system-modal,no-icon,closable";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnnounceAdhanTest,
    ::testing::Values(
        AdhanCase{"box_then_supplication_without_relay", kMessagesBox, 0, true, false, 1, true,
                  {"close", "wav:zuhr.wav", AdhanBox("ZUHR"), "stop-wav", "wav:ezandua.wav"}},
        AdhanCase{"box_with_relay_no_supplication_sound", kMessagesBox, 2, true, false, 4, true,
                  {"close", "relay-close", "relay-open:\\\\.\\COM2", "relay-break", "pause:3000",
                   "timer:6:400000", "wav:isha.wav", AdhanBox("ISHA"), "stop-wav"}},
        AdhanCase{"balloon", kMessagesBalloon, 0, true, false, 3, true,
                  {"close", "wav:maghrib.wav", "balloon:1:MAGHRIB:Adhan Time..."}},
        AdhanCase{"none_is_sound_only", kMessagesNone, 0, true, false, 0, true,
                  {"close", "wav:fajr.wav"}},
        AdhanCase{"switched_off_box_still_shows", kMessagesBox, 0, false, false, 1, true,
                  {"close", AdhanBox("ZUHR"), "stop-wav"}},
        AdhanCase{"switched_off_balloon_still_shows", kMessagesBalloon, 3, false, false, 1, true,
                  {"close", "balloon:1:ZUHR:Adhan Time..."}},
        AdhanCase{"asr_slot_named_after_asr2_in_use", kMessagesBalloon, 0, true, true, 2, true,
                  {"close", "wav:asr.wav", "balloon:1:ASR-II:Adhan Time..."}},
        AdhanCase{"asr_slot_named_after_asr1_in_use", kMessagesBalloon, 0, true, false, 2, true,
                  {"close", "wav:asr.wav", "balloon:1:ASR-I:Adhan Time..."}},
        AdhanCase{"missing_wav_reported_and_message_still_shows", kMessagesBalloon, 0, true,
                  false, 1, false,
                  {"close", "wav:zuhr.wav", "balloon:3:Error:zuhr.wav\ncannot be played...",
                   "pause:5000", "balloon:1:ZUHR:Adhan Time..."}},
        AdhanCase{"missing_wav_in_box_mode_error_box_then_adhan_box", kMessagesBox, 0, true,
                  false, 1, false,
                  {"close", "wav:zuhr.wav", "box:Error:zuhr.wav\ncannot be played..." + kBox,
                   AdhanBox("ZUHR"), "stop-wav", "wav:ezandua.wav",
                   "box:Error:ezandua.wav\ncannot be played..." + kBox}}),
    [](const ::testing::TestParamInfo<AdhanCase>& info) { return std::string(info.param.name); });

TEST_F(AlertsTest, AdhanBoxOkStopsAnExternalPlayer) {
  state.AdhanFiles[1] = "adhan.mp3";
  AnnounceAdhan(state, io, 1);
  EXPECT_EQ(shell.Lines("media-stop").size(), 1u);
  EXPECT_FALSE(state.PlayerLaunched);
}

struct ReminderCase {
  const char* name;
  int messageMode;
  Log expected;
};

class ShowReminderTest : public AlertsTest, public ::testing::WithParamInterface<ReminderCase> {};

TEST_P(ShowReminderTest, PresentsTheTextByMessageMode) {
  state.MessageMode = GetParam().messageMode;
  SetAlertText(state, "20 min. remained to makrouh time...");
  ShowReminder(state, io);
  EXPECT_EQ(shell.log, GetParam().expected);
  EXPECT_EQ(state.AlertCaption, "Reminder");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowReminderTest,
    ::testing::Values(
        ReminderCase{"box", kMessagesBox,
                     {"close",
                      "box:Korvana:20 min. remained to makrouh time..."
                      "|unowned,system-modal,warning,closable"}},
        ReminderCase{"balloon", kMessagesBalloon,
                     {"close", "balloon:2:Reminder:20 min. remained to makrouh time..."}},
        ReminderCase{"none", kMessagesNone, {"close"}}),
    [](const ::testing::TestParamInfo<ReminderCase>& info) { return std::string(info.param.name); });

struct PrayerReminderCase {
  const char* name;
  int messageMode;
  bool confirmed;
  Log expected;
};

class ShowPrayerReminderTest : public AlertsTest,
                               public ::testing::WithParamInterface<PrayerReminderCase> {};

TEST_P(ShowPrayerReminderTest, PresentsTheReminderByMessageMode) {
  const PrayerReminderCase& c = GetParam();
  state.MessageMode = c.messageMode;
  state.options.reminderAdvance = 15;
  state.options.reminderText = "DONE";
  shell.reminderConfirmed = c.confirmed;
  ShowPrayerReminder(state, io, "ISHA");
  EXPECT_EQ(shell.log, c.expected);
  EXPECT_EQ(state.ReminderPrayer, "ISHA");
}

const std::string kReminderDialog =
    "dialog:15 minutes left for the ISHA prayer!\n\nPlease perform your prayer...|DONE|"
    "You can change the button-text via the INI-file.";

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowPrayerReminderTest,
    ::testing::Values(
        PrayerReminderCase{"dialog_button_stops_the_sound", kMessagesBox, true,
                           {"close", kReminderDialog, "stop-wav"}},
        PrayerReminderCase{"dialog_closed_by_next_alert_leaves_its_sound", kMessagesBox, false,
                           {"close", kReminderDialog}},
        PrayerReminderCase{"balloon", kMessagesBalloon, true,
                           {"close",
                            "balloon:2:Please perform your prayer...:15 minutes left for the "
                            "ISHA prayer!"}},
        PrayerReminderCase{"none", kMessagesNone, true, {"close"}}),
    [](const ::testing::TestParamInfo<PrayerReminderCase>& info) {
      return std::string(info.param.name);
    });

TEST_F(AlertsTest, BalloonShowsOnlyInBalloonMode) {
  SetAlertText(state, "text");
  SetAlertCaption(state, "title");
  for (int mode : {kMessagesNone, kMessagesBox, kMessagesBalloon}) {
    state.MessageMode = mode;
    ShowBalloon(state, io, BalloonIcon::kWarning);
  }
  EXPECT_EQ(shell.log, (Log{"balloon:2:title:text"}));
}

TEST_F(AlertsTest, AlertTextAndCaptionAreCutToTheirBuffers) {
  SetAlertText(state, std::string(300, 'x'));
  SetAlertCaption(state, std::string(100, 'y'));
  EXPECT_EQ(state.AlertText.size(), 255u);
  EXPECT_EQ(state.AlertCaption.size(), 63u);
}

TEST_F(AlertsTest, SelectingTheAsrFileWithAsr2WritesTheAsr2Key) {
  state.options.useAsr2 = true;
  shell.fileChosen = true;
  shell.chosenPath = "C:\\Sounds\\asr.wav";
  SelectAdhanFile(state, io, 1055);
  EXPECT_EQ(shell.log,
            (Log{"menu:1055:off",
                 "file-dialog:Select adhan file for ASR-II:ezan.wav:WAV Files=*.wav:All Files=*.*",
                 "menu:1055:on"}));
  EXPECT_EQ(state.AdhanFiles[2], "C:\\Sounds\\asr.wav");
  EXPECT_EQ(ReadIniString(state.iniPath, "Options", "ASR-II", "", 256), "C:\\Sounds\\asr.wav");
  EXPECT_EQ(ReadIniString(state.iniPath, "Options", "ASR-I", "none", 256), "none");
}

TEST_F(AlertsTest, CancelledFileDialogChangesNothing) {
  shell.fileChosen = false;
  SelectAdhanFile(state, io, 1053);
  EXPECT_EQ(state.AdhanFiles[0], "ezan.wav");
  EXPECT_TRUE(ReadIniKeys(state.iniPath, "Options").empty());
  EXPECT_EQ(shell.Lines("menu:1053").size(), 2u);
}

TEST_F(AlertsTest, AdhanFilesAreReadFromTheSlotKeys) {
  folder.Write("korvana.ini",
               "[Options]\r\nFAJR=f.wav\r\nASR-I=a1.wav\r\nASR-II=a2.wav\r\nISHA=i.mp3\r\n");
  state.options.useAsr2 = true;
  LoadAdhanFiles(state);
  EXPECT_EQ(state.AdhanFiles[0], "f.wav");
  EXPECT_EQ(state.AdhanFiles[1], "ezan.wav");
  EXPECT_EQ(state.AdhanFiles[2], "a2.wav");
  EXPECT_EQ(state.AdhanFiles[3], "ezan.wav");
  EXPECT_EQ(state.AdhanFiles[4], "i.mp3");
}

}  // namespace
}  // namespace korvana
