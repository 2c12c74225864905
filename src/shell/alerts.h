#pragma once
// The alerts themselves: the adhan, salawaat and reminder sounds, the relay
// pulse ahead of a sound, the adhan message with its supplication, the
// reminders, and the choice of each prayer's adhan file. How a message is
// presented follows MessageMode: sound only, tray balloons, or boxes.

#include <string>

#include "platform/alert_presenter.h"
#include "shell/program_state.h"
#include "shell/shell_services.h"

namespace korvana {

// Plays a sound file: a WAV file (by its extension, in any case) through the
// system's player, any other file through its associated program. With a
// relay configured, the relay is raised first and the sound starts
// "Relay Advance" seconds later. Nothing while AdhanSalawaatOn is off.
// Failures are reported (box, or balloon and a five-second pause).
void PlayAlertFile(ProgramState& state, ShellServices& services, const std::string& path);

// Stops the alert sound; an external player gets the media Stop key.
void StopAlertSound(ProgramState& state, ShellServices& services);

// The adhan of slot 0..4 (FAJR, ZUHR, ASR, SUNSET, ISHA).
void AnnounceAdhan(ProgramState& state, ShellServices& services, int slot);

// A reminder whose text is already in AlertText (midnight, makrouh, ASR-I).
void ShowReminder(ProgramState& state, ShellServices& services);

// The reminder that the time of `prayer` (a TimingNames entry) runs out.
void ShowPrayerReminder(ProgramState& state, ShellServices& services, const std::string& prayer);

// A balloon with AlertCaption and AlertText; only in Balloon mode.
void ShowBalloon(ProgramState& state, ShellServices& services, BalloonIcon icon);

// Timer 6: the relay pulse ends.
void EndRelayPulse(ProgramState& state, ShellServices& services);

// Menu items 1053..1057: lets the user choose the adhan file of slot
// id - 1053 and keeps the choice in the INI file.
void SelectAdhanFile(ProgramState& state, ShellServices& services, int menuId);

// Reads the five adhan file keys of the "Options" section into AdhanFiles
// (named after the slots' timings, so after AsrTiming is known).
void LoadAdhanFiles(ProgramState& state);

// The timing of an adhan slot: FAJR, ZUHR, AsrTiming, SUNSET, ISHA.
PrayerKind AdhanSlotTiming(const ProgramState& state, int slot);
// Name of an adhan slot in texts and as the INI key of its file: "FAJR",
// "ZUHR", the name of AsrTiming, "MAGHRIB", "ISHA".
std::string AdhanSlotName(const ProgramState& state, int slot);

// The text of the adhan box for the slot name.
std::string SupplicationText(const std::string& slotName);

// Styles of the alert boxes.
extern const AlertBoxStyle kAdhanBoxStyle;     // system-modal, owned, no icon
extern const AlertBoxStyle kReminderBoxStyle;  // system-modal, no owner, warning
extern const AlertBoxStyle kHolyDayBoxStyle;   // no owner, warning
extern const AlertBoxStyle kErrorBoxStyle;     // owned, warning

// Replaces AlertText / AlertCaption, cut to their buffers.
void SetAlertText(ProgramState& state, const std::string& text);
void SetAlertCaption(ProgramState& state, const std::string& caption);

}  // namespace korvana
