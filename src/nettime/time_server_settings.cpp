// Reading the "Time Servers" section.

#include <algorithm>
#include <cctype>

#include "nettime/time_protocol.h"
#include "settings/ini_file.h"

namespace korvana {

namespace {

// The i of a key name that the profile functions would match with the text
// "Host%d" (letters in any case, blanks around the name ignored), or -1.
int HostKeyIndex(const std::string& name) {
  size_t begin = 0, end = name.size();
  while (begin < end && (name[begin] == ' ' || name[begin] == '\t')) ++begin;
  while (end > begin && (name[end - 1] == ' ' || name[end - 1] == '\t')) --end;
  static const char kPrefix[] = "host";
  const size_t prefixLength = sizeof kPrefix - 1;
  if (end - begin <= prefixLength) return -1;
  for (size_t k = 0; k < prefixLength; ++k) {
    if (std::tolower(static_cast<unsigned char>(name[begin + k])) != kPrefix[k]) return -1;
  }
  const size_t digits = begin + prefixLength;
  // "%d" never writes a leading zero (except for 0 itself) or a sign.
  if (name[digits] == '0' && end - digits > 1) return -1;
  long long index = 0;
  for (size_t k = digits; k < end; ++k) {
    if (name[k] < '0' || name[k] > '9') return -1;
    index = index * 10 + (name[k] - '0');
    if (index > 0x7FFFFFFF) return -1;
  }
  return static_cast<int>(index);
}

}  // namespace

TimeServerSettings ReadTimeServerSettings(const std::string& iniPath) {
  TimeServerSettings settings;
  settings.maxHost = ReadIniInt(iniPath, kTimeServersSection, kMaxHostKey, kDefaultMaxHost);
  settings.hostTimeoutMs = ClampHostTimeout(
      ReadIniInt(iniPath, kTimeServersSection, kHostTimeoutKey, kDefaultHostTimeoutMs));
  // Only keys that exist can hold a host, so the section's key list decides
  // which of Host0 .. Host(MaxHost - 1) to read: a large MaxHost costs nothing.
  std::vector<int> indexes;
  for (const std::string& name : ReadIniKeys(iniPath, kTimeServersSection)) {
    const int index = HostKeyIndex(name);
    if (index >= 0 && index < settings.maxHost) indexes.push_back(index);
  }
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  for (const int index : indexes) {
    TimeServerHost host;
    host.index = index;
    host.key = HostKeyText(index);
    host.value = ReadIniString(iniPath, kTimeServersSection, host.key, "", kHostTextSize);
    if (!host.value.empty()) settings.hosts.push_back(std::move(host));
  }
  return settings;
}

}  // namespace korvana
