#pragma once
// Whether a file is a WAV file the system's sound player can start: a RIFF
// file of form WAVE with a format chunk and a data chunk. The sound
// encoding itself (PCM, MP3 in WAV, ...) is the player's matter.

#include <string>

namespace korvana {

bool IsPlayableWavFile(const std::string& path);

}  // namespace korvana
