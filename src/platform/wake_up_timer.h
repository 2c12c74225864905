#pragma once
// The waitable timer that wakes a suspended computer for the next adhan or
// salawaat.

#include <cstdint>

namespace korvana {

enum class WakeUpResult {
  kArmed,         // the timer is set
  kNotSupported,  // the system cannot wake the computer this way
  kFailed,        // the timer could not be set for another reason
};

class WakeUpTimer {
 public:
  virtual ~WakeUpTimer() = default;
  // Sets the timer to go off once at an absolute moment given as a local file
  // time (LocalFileTime), resuming the computer from suspend.
  virtual WakeUpResult Arm(int64_t localFileTime) = 0;
  // Cancels a set timer; harmless when none is set.
  virtual void Cancel() = 0;
};

// This computer's wake-up timer (on systems without one, Arm reports
// kNotSupported).
WakeUpTimer& HostWakeUpTimer();

}  // namespace korvana
