#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/file_replace.h"
#include "platform/startup_entry.h"

namespace korvana {
namespace {

// The autostart folder of the desktop's autostart rules, or "" when neither
// $XDG_CONFIG_HOME nor $HOME names a folder.
std::filesystem::path AutostartFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::filesystem::path(config) / "autostart";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/')
    return std::filesystem::path(home) / ".config" / "autostart";
  return {};
}

std::filesystem::path EntryPath() {
  const std::filesystem::path folder = AutostartFolder();
  return folder.empty() ? folder : folder / "korvana.desktop";
}

// One argument of an Exec line: quoted, with the characters the desktop
// entry rules reserve escaped, then the backslashes doubled once more as
// the rules for string values ask.
std::string ExecArgument(const std::string& path) {
  std::string quoted = "\"";
  for (const char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string escaped;
  for (const char c : quoted) {
    if (c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

class AutostartEntry : public StartupEntry {
 public:
  bool Exists() override {
    const std::filesystem::path path = EntryPath();
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
  }

  bool Set(const std::string& executablePath) override {
    const std::filesystem::path path = EntryPath();
    if (path.empty() || executablePath.find_first_of("\r\n") != std::string::npos) return false;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) return false;
    const std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Korvana\n"
        "Comment=Prayer times clock\n"
        "Exec=" + ExecArgument(executablePath) + "\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n";
    return ReplaceFileContents(path.string(), entry);
  }

  bool Remove() override {
    const std::filesystem::path path = EntryPath();
    if (path.empty()) return false;
    return unlink(path.c_str()) == 0 || errno == ENOENT;
  }
};

}  // namespace

StartupEntry& HostStartupEntry() {
  static AutostartEntry entry;
  return entry;
}

}  // namespace korvana
