#pragma once
// The Time Protocol (RFC 868 over UDP) as Korvana speaks it: which hosts are
// asked, how an answer is read, and the texts shown about it. Pure decisions,
// no sockets; the socket layers and the clock correction build on these.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wall_clock.h"

namespace korvana {

// The INI section this client owns and its keys.
inline constexpr char kTimeServersSection[] = "Time Servers";
inline constexpr char kMaxHostKey[] = "MaxHost";
inline constexpr char kHostTimeoutKey[] = "HostTimeout";
inline constexpr int kDefaultMaxHost = 99;
inline constexpr int kDefaultHostTimeoutMs = 2000;
inline constexpr int kMaxHostTimeoutMs = 32767;  // the wait is kept in 16 bits
inline constexpr size_t kHostTextSize = 256;     // 255 characters and the terminator

inline constexpr uint16_t kTimeProtocolPort = 37;
// Seconds from 1900-01-01 00:00 UTC (the server's epoch) to 1970-01-01 00:00 UTC.
inline constexpr uint32_t kServerEpochOffsetSeconds = 2208988800u;
inline constexpr size_t kTimeAnswerBufferSize = 255;

// IPv4 addresses are held in host byte order: 127.0.0.1 is 0x7F000001.
using Ipv4Address = uint32_t;
inline constexpr Ipv4Address kNoAddress = 0;
inline constexpr Ipv4Address kBroadcastAddress = 0xFFFFFFFFu;

// One host key of the "Time Servers" section that holds a value.
struct TimeServerHost {
  int index = 0;      // the i of "Host%d"
  std::string key;    // "Host%d" with i
  std::string value;  // host name, dotted address or "255.255.255.255"
};

// What one correction reads from the INI file.
struct TimeServerSettings {
  int maxHost = kDefaultMaxHost;            // Host0 .. Host(maxHost - 1) are tried
  int hostTimeoutMs = kDefaultHostTimeoutMs;  // 0 .. 32767; 0 = do not wait
  std::vector<TimeServerHost> hosts;        // non-empty host keys, in key order
};

// "Host%d" with `index`.
std::string HostKeyText(int index);

// A `HostTimeout` value as the client uses it: values outside 0 .. 32767 are
// brought to the nearest end, so that a large value cannot wrap into a
// negative wait of weeks.
int ClampHostTimeout(int milliseconds);

// Reads `MaxHost`, `HostTimeout` and every non-empty "Host%d" key below
// `MaxHost` from the INI file at `iniPath`.
TimeServerSettings ReadTimeServerSettings(const std::string& iniPath);

// A strict dotted IPv4 address "a.b.c.d" (each part 0..255, decimal, no
// leading zero).
bool ParseDottedAddress(const std::string& text, Ipv4Address* address);
std::string DottedAddress(Ipv4Address address);

// Looks a host name up; kNoAddress when it cannot be found.
using HostNameLookup = Ipv4Address (*)(const std::string& name);

// The host key's value to an address: empty text gives kNoAddress, the exact
// text "255.255.255.255" the broadcast address, a dotted address itself, and
// anything else the first address the name lookup gives (kNoAddress when the
// lookup fails).
Ipv4Address ResolveHost(const std::string& text, HostNameLookup lookup);

// Whether a datagram from `sender` answers a request sent to `destination`:
// only the asked host may answer, anyone when the request was broadcast.
bool AcceptsSender(Ipv4Address destination, Ipv4Address sender);

// The server value (seconds since 1900-01-01 00:00 UTC, unsigned 32-bit) as
// seconds since 1970-01-01 00:00 UTC: the difference is taken modulo 2^32 as
// a signed 32-bit number, and a negative result becomes 0.
int64_t ServerValueToUnixSeconds(uint32_t serverValue);

// Reads an answer of `length` bytes: the first four bytes big-endian. An
// answer shorter than four bytes is no answer (returns false).
bool ReadTimeAnswer(const uint8_t* data, size_t length, int64_t* unixSeconds);

// "Net Time :  dd/mm/yyyy     hh:mm:ss\nPC  Time :  ...\n".
std::string FormatTimeReport(const ClockFields& net, const ClockFields& pc);
// The line about the drift D = P - N (seconds): the question to fix it when D
// is not 0, the no-correction line when it is.
std::string FormatDriftText(int64_t driftSeconds);
// "Host Address : a.b.c.d".
std::string FormatHostCaption(Ipv4Address address);

// Message texts and captions of the clock correction.
inline constexpr char kNetTimeCaption[] = "NetTime";
inline constexpr char kWinsockErrorText[] = "WINSOCK Error";
inline constexpr char kNoResponseText[] = "No response from any server !";

}  // namespace korvana
