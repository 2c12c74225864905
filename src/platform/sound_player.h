#pragma once
// Playing the alert sounds: WAV files by the system's sound player, other
// files by the program associated with their type.

#include <string>

namespace korvana {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts a WAV file and returns at once, replacing a WAV that plays; no
  // default sound when it cannot play. False when nothing plays: the file is
  // missing, unreadable or not a playable WAV file.
  virtual bool PlayWav(const std::string& path) = 0;
  // Stops a WAV that plays; harmless when none does.
  virtual void StopWav() = 0;
  // Hands a file to its associated program (default verb, shown normally).
  // False when the system reports that no program could be started.
  virtual bool OpenWithAssociatedProgram(const std::string& path) = 0;
  // Sends one key-down of the media Stop key, which an external player obeys.
  virtual void PressMediaStopKey() = 0;
};

// This computer's sound player (Windows only).
SoundPlayer& HostSoundPlayer();

}  // namespace korvana
