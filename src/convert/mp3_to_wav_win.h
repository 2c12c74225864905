#pragma once
// The "MP3 » WAV Converter" menu command (1068): an open dialog for the MP3
// file, a save dialog for the WAV file, and the conversion's failures shown
// as warning boxes with their captions. A successful conversion shows
// nothing.

#include <windows.h>

namespace korvana::win {

// The dialogs are owned by `owner` (the main window).
void RunMp3ToWavConverter(HWND owner);

}  // namespace korvana::win
