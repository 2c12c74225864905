// Away from Windows the INI file is served by the portable reader and writer.

#include "settings/ini_file.h"

namespace korvana {

int ReadIniInt(const std::string& path, const std::string& section, const std::string& key,
               int fallback) {
  return PortableReadIniInt(path, section, key, fallback);
}

std::string ReadIniString(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          size_t bufferSize) {
  return PortableReadIniString(path, section, key, fallback, bufferSize);
}

std::vector<std::string> ReadIniKeys(const std::string& path, const std::string& section) {
  return PortableReadIniKeys(path, section);
}

bool WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value) {
  return PortableWriteIniString(path, section, key, value);
}

bool WriteIniInt(const std::string& path, const std::string& section, const std::string& key,
                 int value) {
  return WriteIniString(path, section, key, std::to_string(value));
}

}  // namespace korvana
