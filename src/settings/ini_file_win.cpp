// The INI file through Windows' own profile functions.

#include <windows.h>

#include <vector>

#include "settings/ini_file.h"

namespace korvana {
namespace {

// The profile functions look for a bare file name in the Windows folder;
// Korvana always means a file in or below the current folder.
std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return path;
  return full;
}

}  // namespace

int ReadIniInt(const std::string& path, const std::string& section, const std::string& key,
               int fallback) {
  return static_cast<int>(
      GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, FullPath(path).c_str()));
}

std::string ReadIniString(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  std::vector<char> buffer(bufferSize, '\0');
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                               static_cast<DWORD>(bufferSize), FullPath(path).c_str());
  return std::string(buffer.data(), length);
}

std::vector<std::string> ReadIniKeys(const std::string& path, const std::string& section) {
  std::vector<char> buffer(32767, '\0');
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                               static_cast<DWORD>(buffer.size()), FullPath(path).c_str());
  std::vector<std::string> keys;
  size_t start = 0;
  for (size_t i = 0; i < length; ++i) {
    if (buffer[i] != '\0') continue;
    if (i > start) keys.emplace_back(buffer.data() + start, i - start);
    start = i + 1;
  }
  if (start < length) keys.emplace_back(buffer.data() + start, length - start);
  return keys;
}

bool WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value) {
  // A line break in a value would add lines of its own to the file.
  const std::string oneLine = value.substr(0, value.find_first_of("\r\n"));
  const std::string full = FullPath(path);
  // NOTE: Windows refuses a read-only file by itself; Wine run as root does
  // not, so the attribute is asked first.
  const DWORD attributes = GetFileAttributesA(full.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), oneLine.c_str(),
                                    full.c_str()) != 0;
}

bool WriteIniInt(const std::string& path, const std::string& section, const std::string& key,
                 int value) {
  char text[16];
  wsprintfA(text, "%i", value);
  return WriteIniString(path, section, key, text);
}

}  // namespace korvana
