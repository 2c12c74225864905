#pragma once
// One clock correction: ask the hosts of the "Time Servers" section in order
// until one answers, compare its time with the PC clock to the second, and
// correct a difference at the next second boundary (silently, or after the
// user agrees). The socket, the clock and the user interface are interfaces,
// so the whole run can be driven by fakes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "nettime/time_protocol.h"
#include "platform/wall_clock.h"

namespace korvana {

// The UDP socket the requests go out on.
class TimeTransport {
 public:
  virtual ~TimeTransport() = default;
  // Creates the socket afresh; `waitMs` (0 .. 32767) is how long Receive
  // waits. False when the socket cannot be made ready.
  virtual bool Open(int waitMs) = 0;
  // False once the socket's window is gone (Windows); the run then stops.
  virtual bool Alive() = 0;
  // ResolveHost with the platform's name lookup.
  virtual Ipv4Address Resolve(const std::string& host) = 0;
  // Sends the one-byte request to `destination`. False when sending fails.
  virtual bool Send(Ipv4Address destination, uint8_t request) = 0;
  // Waits up to the wait time for a datagram from the host last sent to (any
  // sender after a broadcast), discarding others, and reads it into `buffer`
  // of `size` bytes. Returns its length, 0 when none came.
  virtual size_t Receive(uint8_t* buffer, size_t size) = 0;
};

// The window and messages of a manual correction.
class CorrectionUi {
 public:
  virtual ~CorrectionUi() = default;
  virtual void ShowSocketError() = 0;                  // "WINSOCK Error"
  virtual void ShowProgress() = 0;                     // the window titled "NetTime"
  virtual void ShowHost(const std::string& host) = 0;  // the host being asked
  // The report with the drift question; true to correct the clock.
  virtual bool AskToFix(const std::string& text, const std::string& caption) = 0;
  // The report when the clocks agree.
  virtual void ShowNoCorrection(const std::string& text, const std::string& caption) = 0;
  // The clock could not be set although the user agreed.
  virtual void ShowSetFailure(const std::string& error) = 0;
  virtual void ShowNoResponse() = 0;                   // "No response from any server !"
  virtual void HideProgress() = 0;
};

enum class CorrectionResult {
  kSocketError,  // manual mode only: the socket could not be opened
  kNoResponse,   // no host answered
  kAnswered,     // a host answered (whether or not the clock was changed)
};

struct CorrectionOutcome {
  CorrectionResult result = CorrectionResult::kNoResponse;
  TimeServerHost host;                // the host that answered
  Ipv4Address address = kNoAddress;   // its address
  int64_t netSeconds = 0;             // N: the server's time, seconds since 1970 UTC
  int64_t pcSeconds = 0;              // P: the PC clock when the answer came
  int64_t driftSeconds = 0;           // D = P - N
  std::string text;                   // the report with its drift line
  std::string caption;                // "Host Address : a.b.c.d"
  bool fixWanted = false;             // D != 0 and silent mode or the user agreed
  bool clockSet = false;              // the clock was set to the corrected time
  std::string setError;               // why setting the clock failed
};

// Runs one correction. In silent mode `ui` is never called (it may be null)
// and a difference is always corrected.
CorrectionOutcome RunClockCorrection(const TimeServerSettings& settings, TimeTransport& transport,
                                     WallClock& clock, CorrectionUi* ui, bool silent);

// Waits for the clock's seconds to change and sets it back by `driftSeconds`
// at that boundary, so the corrected time starts at the beginning of a second.
bool SetClockAtNextSecond(WallClock& clock, int64_t driftSeconds, std::string* error);

}  // namespace korvana
