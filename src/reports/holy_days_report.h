#pragma once
// The holy days report: every day of a year that carries a holy day or holy
// night of the Hijri calendar, one line each, under a heading. CR LF line
// ends, single-byte text, no form feed.

#include <cstdint>
#include <string>

#include "engine/astro_state.h"

namespace korvana {

// The report's bytes for `year` (1901..2099; a year divisible by 4 has 366
// days). Leaves the engine on the year's last day.
std::string FormatHolyDaysReport(AstroState& engine, int year);

// Writes it to `path`, replacing the file whole; sets *tickCountdown (when
// given) to 9 while it works and to 0 at the end. False when the file
// cannot be written; nothing is then changed on disk.
bool WriteHolyDaysReport(const std::string& path, AstroState& engine, int year,
                         int32_t* tickCountdown);

}  // namespace korvana
