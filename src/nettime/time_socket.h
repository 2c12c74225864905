#pragma once
// The platform's UDP socket for the Time Protocol: a socket with a timed wait
// on POSIX systems, the "Q-UDP" socket window on Windows.

#include <cstdint>
#include <memory>

#include "nettime/clock_correction.h"

namespace korvana {

// A new socket that sends its requests to `serverPort` (37 for real time
// servers) and binds local port 37 when it can, any free port otherwise.
std::unique_ptr<TimeTransport> CreateTimeSocket(uint16_t serverPort = kTimeProtocolPort);

// The platform's name lookup: the first IPv4 address of `name`, kNoAddress
// when it cannot be found.
Ipv4Address LookUpHostName(const std::string& name);

}  // namespace korvana
