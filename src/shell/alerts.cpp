#include "shell/alerts.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <vector>

#include "engine/prayer_times.h"
#include "resources/resource_ids.h"
#include "settings/schema.h"
#include "shell/format_text.h"

namespace korvana {

const AlertBoxStyle kAdhanBoxStyle = {true, true, false, true};
const AlertBoxStyle kReminderBoxStyle = {false, true, true, true};
const AlertBoxStyle kHolyDayBoxStyle = {false, false, true, false};
const AlertBoxStyle kErrorBoxStyle = {true, false, true, false};

namespace {

constexpr char kProgramCaption[] = "Korvana";
constexpr char kSupplicationFile[] = "ezandua.wav";
constexpr int kErrorPauseMs = 5000;
constexpr int kMillisecondsPerSecond = 1000;

std::string Cut(const std::string& text, size_t bufferBytes) {
  return text.size() < bufferBytes ? text : text.substr(0, bufferBytes - 1);
}

// The extension of the file name in `path`, with its dot ("" when none).
std::string ExtensionOf(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t separator = path.find_last_of("\\/:");
  if (dot == std::string::npos) return "";
  if (separator != std::string::npos && dot < separator) return "";
  return path.substr(dot);
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  const std::string other(b);
  if (a.size() != other.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(other[i])))
      return false;
  }
  return true;
}

// Seconds from the INI file (not checked on load) as a wait in milliseconds:
// a negative value waits nothing rather than for weeks.
int SecondsToMilliseconds(int seconds) {
  const int64_t ms = static_cast<int64_t>(std::max(seconds, 0)) * kMillisecondsPerSecond;
  return static_cast<int>(std::min<int64_t>(ms, INT_MAX));
}

bool InBoxMode(const ProgramState& state) { return state.MessageMode == kMessagesBox; }

}  // namespace

void SetAlertText(ProgramState& state, const std::string& text) {
  state.AlertText = Cut(text, kAlertTextBytes);
}

void SetAlertCaption(ProgramState& state, const std::string& caption) {
  state.AlertCaption = Cut(caption, kAlertCaptionBytes);
}

void PlayAlertFile(ProgramState& state, ShellServices& services, const std::string& path) {
  if (!state.AdhanSalawaatOn) return;
  state.AlertText.clear();
  const Options& options = state.options;
  const int port = options.relayComPort;
  if (port != 0) {
    services.relay.Close();
    // The device path also reaches ports above 9.
    if (!services.relay.Open(FormatText("\\\\.\\COM%i", port))) {
      SetAlertText(state, FormatText("COM%i cannot be initialized...", port));
    } else {
      services.relay.SetBreak();
      services.presenter.Pause(SecondsToMilliseconds(options.relayAdvance));
      services.window.StartTimer(TIMER_RELAY, SecondsToMilliseconds(options.relayActive));
    }
  }
  if (EqualsIgnoringCase(ExtensionOf(path), ".wav")) {
    // A missing or damaged WAV file is reported like a player that cannot
    // start: otherwise the adhan would stay silent without a word.
    if (!services.sound.PlayWav(path)) {
      SetAlertText(state, FormatText("%s\ncannot be played...", path.c_str()));
    }
  } else if (services.sound.OpenWithAssociatedProgram(path)) {
    state.PlayerLaunched = true;
  } else {
    SetAlertText(state, FormatText("%s\ncannot be executed...", path.c_str()));
  }
  if (state.AlertText.empty()) return;
  SetAlertCaption(state, "Error");
  if (InBoxMode(state)) {
    const std::string text = state.AlertText;
    services.presenter.ShowMessageBox(text, "Error", kErrorBoxStyle);
    return;
  }
  ShowBalloon(state, services, BalloonIcon::kError);
  services.presenter.Pause(kErrorPauseMs);
}

void StopAlertSound(ProgramState& state, ShellServices& services) {
  services.sound.StopWav();
  if (state.PlayerLaunched) {
    services.sound.PressMediaStopKey();
    state.PlayerLaunched = false;
  }
}

void ShowBalloon(ProgramState& state, ShellServices& services, BalloonIcon icon) {
  if (state.MessageMode != kMessagesBalloon) return;
  services.presenter.ShowBalloon(icon, state.AlertCaption, state.AlertText);
}

PrayerKind AdhanSlotTiming(const ProgramState& state, int slot) {
  switch (slot) {
    case 0:
      return kFajr;
    case 1:
      return kZuhr;
    case 2:
      return AsrTiming(state);
    case 3:
      return kSunset;
    default:
      return kIsha;
  }
}

std::string AdhanSlotName(const ProgramState& state, int slot) {
  return TimingNames[AdhanSlotTiming(state, slot) - 1];
}

std::string SupplicationText(const std::string& slotName) {
  return FormatText(
      "\n"
      "\t%s ADHAN TIME...\n"
      "\n"
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
      "Undoubtedly, You do not do anything against Your promise...\n",
      slotName.c_str());
}

void AnnounceAdhan(ProgramState& state, ShellServices& services, int slot) {
  if (slot < 0 || slot >= kAdhanSlotCount) return;
  services.presenter.CloseAlertWindow();
  PlayAlertFile(state, services, state.AdhanFiles[slot]);
  const std::string name = AdhanSlotName(state, slot);
  if (InBoxMode(state)) {
    services.presenter.ShowMessageBox(SupplicationText(name), kProgramCaption, kAdhanBoxStyle);
    StopAlertSound(state, services);
    // With a relay the device itself ends the adhan; the supplication
    // follows only without one.
    if (state.options.relayComPort == 0) PlayAlertFile(state, services, kSupplicationFile);
    return;
  }
  SetAlertText(state, "Adhan Time...");
  SetAlertCaption(state, name);
  ShowBalloon(state, services, BalloonIcon::kInformation);
}

void ShowReminder(ProgramState& state, ShellServices& services) {
  SetAlertCaption(state, "Reminder");
  services.presenter.CloseAlertWindow();
  if (InBoxMode(state)) {
    const std::string text = state.AlertText;
    services.presenter.ShowMessageBox(text, kProgramCaption, kReminderBoxStyle);
    return;
  }
  ShowBalloon(state, services, BalloonIcon::kWarning);
}

void ShowPrayerReminder(ProgramState& state, ShellServices& services, const std::string& prayer) {
  state.ReminderPrayer = prayer;
  services.presenter.CloseAlertWindow();
  const unsigned advance = static_cast<unsigned>(state.options.reminderAdvance);
  if (InBoxMode(state)) {
    ReminderDialogTexts texts;
    texts.message = FormatText("%u minutes left for the %s prayer!\n\nPlease perform your prayer...",
                               advance, prayer.c_str());
    texts.buttonText = state.options.reminderText;
    texts.buttonTip = "You can change the button-text via the INI-file.";
    // Closed by its button: the reminder's sound stops. Closed by the next
    // alert: that alert's sound plays on.
    if (services.presenter.RunReminderDialog(texts)) StopAlertSound(state, services);
    return;
  }
  SetAlertText(state, FormatText("%u minutes left for the %s prayer!", advance, prayer.c_str()));
  SetAlertCaption(state, "Please perform your prayer...");
  ShowBalloon(state, services, BalloonIcon::kWarning);
}

void EndRelayPulse(ProgramState&, ShellServices& services) {
  services.window.StopTimer(TIMER_RELAY);
  services.relay.ClearBreak();
}

void SelectAdhanFile(ProgramState& state, ShellServices& services, int menuId) {
  const int slot = menuId - IDM_SELECT_ADHAN_FIRST;
  if (slot < 0 || slot >= kAdhanSlotCount) return;
  const std::string name = AdhanSlotName(state, slot);
  services.window.EnableMenuItem(menuId, false);
  const std::vector<FileFilter> filters = {{"WAV Files", "*.wav"}, {"All Files", "*.*"}};
  std::string chosen;
  if (services.files.ChooseFileToOpen(FormatText("Select adhan file for %s", name.c_str()),
                                      filters, state.AdhanFiles[slot], &chosen)) {
    state.AdhanFiles[slot] = Cut(chosen, kPathBytes);
    WriteAdhanFile(state.iniPath, AdhanSlotTiming(state, slot), state.AdhanFiles[slot]);
  }
  services.window.EnableMenuItem(menuId, true);
}

void LoadAdhanFiles(ProgramState& state) {
  for (int slot = 0; slot < kAdhanSlotCount; ++slot) {
    state.AdhanFiles[slot] = ReadAdhanFile(state.iniPath, AdhanSlotTiming(state, slot));
  }
}

}  // namespace korvana
