#pragma once
// The program-wide values the scheduler, the alerts and the menu share,
// together with the engine's single state record. One instance lives from
// start-up to exit; tests make their own.

#include <cstdint>
#include <string>

#include "engine/astro_state.h"
#include "engine/prayer_times.h"
#include "platform/local_clock.h"
#include "settings/schema.h"

namespace korvana {

// Pending work of the next full check, in RefreshLevel.
enum Refresh : int32_t {
  kIdle = 0,
  kMinuteChanged = 1,
  kTimingsStale = 2,   // TodayTimings must be computed again
  kDisplayChanged = 3,
};

// How alerts are presented, in MessageMode.
enum AlertMessages : int32_t {
  kMessagesNone = 0,
  kMessagesBalloon = 1,
  kMessagesBox = 2,
};

inline constexpr int kAdhanSlotCount = 5;   // FAJR, ZUHR, ASR, SUNSET, ISHA
inline constexpr int kNoAlertMinute = 1440;  // no alert moment met
inline constexpr size_t kAlertTextBytes = 256;     // AlertText buffer
inline constexpr size_t kAlertCaptionBytes = 64;   // AlertCaption buffer
inline constexpr size_t kPathBytes = 256;          // a file path buffer

struct ProgramState {
  AstroState astro;   // the engine's state record
  CalcParams calc;    // "Calculation Parameters"
  Options options;    // "Options"
  std::string iniPath;

  // --- Switches of the menu and the dialogs ---
  bool RealTimeMode = true;   // false: CurrentDateTime is what the user entered
  int32_t MessageMode = kMessagesBox;
  bool AdhanSalawaatOn = true;  // master switch of every alert sound
  bool WakeUpOn = false;
  bool wakeUpUnsupported = false;  // the system cannot wake: 'Wake Up Computer' stays grayed
  int32_t WallpaperMode = 0;       // 0 none, 1 Moon, 2 Earth, 3 Globe
  int32_t LastGraphicsCommand = 0;  // menu command of the graphic on screen, 0 none
  uintptr_t TimingDialogWindow = 0;  // the Timing dialog's window, 0 none
  // Adhan file per slot, at most 255 characters each.
  std::string AdhanFiles[kAdhanSlotCount] = {"ezan.wav", "ezan.wav", "ezan.wav", "ezan.wav",
                                             "ezan.wav"};

  // --- Scheduler ---
  // Ticks to skip before the next full check: 0 = at the next tick, -1 =
  // none until another part of the program sets it to 0.
  int32_t TickCountdown = 0;
  // Start-up loads the settings, which leaves the timings to be computed.
  int32_t RefreshLevel = kTimingsStale;
  int16_t TodayTimings[10] = {};  // local clock minutes 0..1439, FAJR .. ISHA
  int32_t NextWallpaperRefresh = 0;  // UniversalMinuteCount of the next re-render
  int32_t EarliestAlertMinute = kNoAlertMinute;  // of the latest full check
  int32_t NextAlertMinute = kNoAlertMinute;      // of the latest full check
  // The date and time the program works with (local clock).
  LocalDateTime CurrentDateTime = {2000, 1, 6, 1, 0, 0, 0, 0};
  uint32_t fullCheckCount = 0;  // full checks run so far, nested ones included

  // --- Alerts ---
  std::string AlertText;     // message and balloon text, at most 255 characters
  std::string AlertCaption;  // caption and balloon title, at most 63 characters
  std::string ReminderPrayer;  // prayer named by the pending prayer reminder
  bool PlayerLaunched = false;  // a non-WAV file went to its associated program
};

// ASR-II while "Use Asr-II" is set, else ASR-I.
inline PrayerKind AsrTiming(const ProgramState& state) { return AsrTiming(state.options); }

}  // namespace korvana
