#include <windows.h>

#include "platform/startup_entry.h"

namespace korvana {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kValueName[] = "Korvana";

class RunValue : public StartupEntry {
 public:
  bool Exists() override {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return false;
    const bool found =
        RegQueryValueExA(key, kValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
  }

  bool Set(const std::string& executablePath) override {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return false;
    const bool done =
        RegSetValueExA(key, kValueName, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(executablePath.c_str()),
                       static_cast<DWORD>(executablePath.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return done;
  }

  bool Remove() override {
    HKEY key;
    const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LONG deleted = RegDeleteValueA(key, kValueName);
    RegCloseKey(key);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
  }
};

}  // namespace

StartupEntry& HostStartupEntry() {
  static RunValue entry;
  return entry;
}

}  // namespace korvana
