#pragma once
// The tray program's clock correction (Windows): the "NetTime" menu command
// runs it in manual mode, the hourly tick and the Options dialog in silent
// mode. It re-reads the "Time Servers" section of `iniPath` every time and
// runs on the GUI thread; while it waits for an answer, a nested message loop
// keeps the program's other windows and timers running, so callers gray the
// "NetTime" menu item for the duration.

#include <string>

#include "nettime/clock_correction.h"

namespace korvana {

// Manual mode: the socket window shows the host being asked, the result is
// shown in message boxes and the user decides whether the clock is set.
CorrectionOutcome RunManualClockCorrection(const std::string& iniPath);

// Silent mode: no window and no message; a difference is always corrected.
CorrectionOutcome RunSilentClockCorrection(const std::string& iniPath);

}  // namespace korvana
