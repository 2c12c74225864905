#pragma once
// The serial port whose break signal drives the alert relay.

#include <string>

namespace korvana {

class RelayPort {
 public:
  virtual ~RelayPort() = default;
  // Closes the port held open; harmless when none is.
  virtual void Close() = 0;
  // Opens a serial device (e.g. "\\.\COM3") for reading and writing, not
  // shared, existing devices only. False when it cannot be opened.
  virtual bool Open(const std::string& devicePath) = 0;
  // Holds the transmit line in the break condition: the relay pulls in.
  virtual void SetBreak() = 0;
  // Ends the break condition: the relay drops. Harmless when no port is open.
  virtual void ClearBreak() = 0;
};

// This computer's relay port (Windows only).
RelayPort& HostRelayPort();

}  // namespace korvana
