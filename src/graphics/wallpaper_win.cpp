#include "graphics/wallpaper_win.h"

#include <windows.h>

#include <optional>
#include <string>

#include "graphics/graph_window_win.h"
#include "graphics/wallpaper.h"
#include "settings/schema.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr char kTileValue[] = "TileWallpaper";
constexpr char kStyleValue[] = "WallPaperStyle";
constexpr char kCentredNotTiled[] = "0";
// NOTE: the system needs the file while it takes it over; it is deleted
// only after this wait.
constexpr DWORD kWallpaperHandOverMs = 500;
constexpr size_t kRegistryTextBytes = 256;

SavedDesktop g_saved;

HKEY OpenDesktopKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

std::optional<std::string> ReadText(HKEY key, const char* name) {
  char text[kRegistryTextBytes] = {};
  DWORD size = sizeof text - 1;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(text);
}

void WriteText(HKEY key, const char* name, const std::string& text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

// A value that did not exist before is removed again rather than left with
// a string of the program's making.
void PutBack(HKEY key, const char* name, const std::optional<std::string>& saved) {
  if (saved.has_value()) {
    WriteText(key, name, *saved);
  } else {
    RegDeleteValueA(key, name);
  }
}

void SetBackground(COLORREF colour) {
  const INT element = COLOR_BACKGROUND;
  SetSysColors(1, &element, &colour);
}

// The desktop may still be reading the picture when the hand-over time is
// up (a busy machine; Wine's desktop loads it in another process): the file
// is then in use, and a few more short tries remove it rather than leaving
// "wall.bmp" behind.
void DeletePicture(const std::string& path) {
  constexpr int kRetries = 20;
  constexpr DWORD kRetryMs = 100;
  for (int attempt = 0; attempt < kRetries; ++attempt) {
    if (DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return;
    Sleep(kRetryMs);
  }
}

class Win32Desktop final : public Desktop {
 public:
  void SetBackgroundColour(int red, int green, int blue) override {
    SetBackground(RGB(red, green, blue));
  }

  void ShowAsWallpaper(const std::string& path) override {
    HKEY key = OpenDesktopKey();
    if (key != nullptr) {
      WriteText(key, kTileValue, kCentredNotTiled);
      WriteText(key, kStyleValue, kCentredNotTiled);
    }
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()), 0);
    Sleep(kWallpaperHandOverMs);
    DeletePicture(path);
    if (key != nullptr) {
      PutBack(key, kTileValue, g_saved.tileWallpaper);
      PutBack(key, kStyleValue, g_saved.wallPaperStyle);
      RegCloseKey(key);
    }
  }
};

class Win32WallpaperHost final : public WallpaperHost {
 public:
  explicit Win32WallpaperHost(ProgramState& state) : state_(state) {}

  void CheckMenuItem(int id, bool checked) override {
    ::CheckMenuItem(App().popupMenu, static_cast<UINT>(id),
                    MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }

  void WriteWallSetting(int mode) override { WriteWallpaperMode(state_.iniPath, mode); }

  void SaveDesktop() override {
    const COLORREF colour = GetSysColor(COLOR_BACKGROUND);
    g_saved.backgroundColour = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    g_saved.tileWallpaper.reset();
    g_saved.wallPaperStyle.reset();
    HKEY key = OpenDesktopKey();
    if (key == nullptr) return;
    g_saved.tileWallpaper = ReadText(key, kTileValue);
    g_saved.wallPaperStyle = ReadText(key, kStyleValue);
    RegCloseKey(key);
  }

  void RestoreDesktop() override { win::RestoreDesktop(); }

  void RefreshWallpaper() override { win::RefreshWallpaper(state_); }

 private:
  ProgramState& state_;
};

}  // namespace

Desktop& ProgramDesktop() {
  static Win32Desktop desktop;
  return desktop;
}

void ChooseWallpaper(ProgramState& state, int kind) {
  Win32WallpaperHost host(state);
  korvana::ChooseWallpaper(state.WallpaperMode, kind, host);
}

void RestoreDesktop() {
  const Rgb& colour = g_saved.backgroundColour;
  SetBackground(RGB(colour.red, colour.green, colour.blue));
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, nullptr, 0);
}

void RefreshWallpaper(ProgramState& state) {
  RefreshWallpaperPicture(state, App().programDirectory, IsGraphWindowVisible(),
                          &ProgramDesktop());
}

}  // namespace korvana::win
