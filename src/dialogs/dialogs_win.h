#pragma once
// The modal dialogs of the tray program, one entry each. Every entry grays
// its menu item while the dialog runs and works on the program's values in
// `state`; the scheduler's ticks keep running inside the dialogs.

#include "shell/program_state.h"

namespace korvana::win {

// "Calculation Parameters" (1040): Save writes the section, Cancel reloads
// it from the INI file; Apply takes the fields into the program at once.
void OpenCalcParamsDialog(ProgramState& state);

// "Options" (1058): Save writes the section and the start-up entry, Cancel
// reloads them.
void OpenOptionsDialog(ProgramState& state);

// "Timings" (1027): the day's timings and the sky; while it is open,
// state.TimingDialogWindow names it so that the tick refreshes it.
void OpenTimingDialog(ProgramState& state);

// "Tally" items 1063..1067: counter `number` 1..5.
void OpenTallyDialog(ProgramState& state, int number);

// "About" (1062).
void OpenAboutDialog();

// What switching on 'Automatic Clock Correction' in the Options dialog runs
// at once (with 'NetTime' grayed meanwhile). By default the silent clock
// correction from the time servers of the INI file.
using ClockCorrectionHook = void (*)(ProgramState& state);
void SetClockCorrectionHook(ClockCorrectionHook hook);

// The addresses the About box opens.
inline constexpr char kHomePageAddress[] = "https://korvana.org";
inline constexpr char kEmailAddress[] = "mailto:team@korvana.org";
// Where the Options dialog fetches a missing "sala.wav" from.
inline constexpr char kSalawaatDownloadAddress[] = "http://korvana.org/korvana/ezan/sala.wav";

}  // namespace korvana::win
