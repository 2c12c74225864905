#pragma once
// Whether Korvana runs when the user logs on. On Windows the entry is the
// string value "Korvana" under the current user's key
// "Software\Microsoft\Windows\CurrentVersion\Run", holding the executable's
// full path. Elsewhere it is the desktop entry "korvana.desktop" in the
// autostart folder of the user's configuration folder ($XDG_CONFIG_HOME, or
// ~/.config when that is not set), read again at every call.

#include <string>

namespace korvana {

class StartupEntry {
 public:
  virtual ~StartupEntry() = default;
  // True when the entry exists; false also when it cannot be looked at.
  virtual bool Exists() = 0;
  // Creates or replaces the entry so that it starts `executablePath`.
  virtual bool Set(const std::string& executablePath) = 0;
  // Removes the entry; true also when there was none.
  virtual bool Remove() = 0;
};

// The entry of the user running this program.
StartupEntry& HostStartupEntry();

}  // namespace korvana
