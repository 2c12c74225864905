#include "nettime/time_protocol.h"

#include <cinttypes>
#include <cstdio>

namespace korvana {

std::string HostKeyText(int index) {
  char key[24];
  std::snprintf(key, sizeof key, "Host%d", index);
  return key;
}

int ClampHostTimeout(int milliseconds) {
  if (milliseconds < 0) return 0;
  if (milliseconds > kMaxHostTimeoutMs) return kMaxHostTimeoutMs;
  return milliseconds;
}

bool ParseDottedAddress(const std::string& text, Ipv4Address* address) {
  Ipv4Address result = 0;
  size_t pos = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (pos >= text.size() || text[pos] != '.') return false;
      ++pos;
    }
    const size_t start = pos;
    unsigned value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 3) {
      value = value * 10 + static_cast<unsigned>(text[pos] - '0');
      ++pos;
    }
    // "010" is octal to inet_addr: parts with a leading zero are left to the
    // name lookup, which reads them the way the system does.
    if (pos == start || value > 255 || (text[start] == '0' && pos - start > 1)) return false;
    result = (result << 8) | value;
  }
  if (pos != text.size()) return false;
  *address = result;
  return true;
}

std::string DottedAddress(Ipv4Address address) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu, (address >> 16) & 0xFFu,
                (address >> 8) & 0xFFu, address & 0xFFu);
  return text;
}

Ipv4Address ResolveHost(const std::string& text, HostNameLookup lookup) {
  if (text.empty()) return kNoAddress;
  if (text == "255.255.255.255") return kBroadcastAddress;
  Ipv4Address address = kNoAddress;
  if (ParseDottedAddress(text, &address)) return address;
  return lookup != nullptr ? lookup(text) : kNoAddress;
}

bool AcceptsSender(Ipv4Address destination, Ipv4Address sender) {
  return destination == kBroadcastAddress || sender == destination;
}

int64_t ServerValueToUnixSeconds(uint32_t serverValue) {
  const auto seconds = static_cast<int32_t>(serverValue - kServerEpochOffsetSeconds);
  return seconds < 0 ? 0 : seconds;
}

bool ReadTimeAnswer(const uint8_t* data, size_t length, int64_t* unixSeconds) {
  if (data == nullptr || length < 4) return false;
  const uint32_t value = (uint32_t{data[0]} << 24) | (uint32_t{data[1]} << 16) |
                         (uint32_t{data[2]} << 8) | uint32_t{data[3]};
  *unixSeconds = ServerValueToUnixSeconds(value);
  return true;
}

namespace {

std::string FormatTimeLine(const char* format, const ClockFields& f) {
  char line[96];
  std::snprintf(line, sizeof line, format, f.day, f.month, f.year, f.hour, f.minute, f.second);
  return line;
}

}  // namespace

std::string FormatTimeReport(const ClockFields& net, const ClockFields& pc) {
  return FormatTimeLine("Net Time :  %02d/%02d/%04d     %02d:%02d:%02d\n", net) +
         FormatTimeLine("PC  Time :  %02d/%02d/%04d     %02d:%02d:%02d\n", pc);
}

std::string FormatDriftText(int64_t driftSeconds) {
  if (driftSeconds == 0) return "\nYour PC's clock needs no correction...\n";
  char text[128];
  std::snprintf(text, sizeof text,
                "\nYour PC's clock has  %" PRId64 " seconds drift !\nDo you want to fix it ?\n",
                driftSeconds);
  return text;
}

std::string FormatHostCaption(Ipv4Address address) {
  return "Host Address : " + DottedAddress(address);
}

}  // namespace korvana
