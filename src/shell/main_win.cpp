// The tray program's entry point: start-up, the message loop, the exit code.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "dialogs/dialogs_win.h"
#include "graphics/graph_window_win.h"
#include "platform/startup_entry.h"
#include "resources/resource_ids.h"
#include "settings/schema.h"
#include "shell/alerts.h"
#include "shell/app_win.h"
#include "shell/commands_win.h"
#include "shell/main_window_win.h"
#include "shell/scheduler.h"
#include "shell/tray_icon_win.h"

namespace korvana::win {

namespace {

constexpr char kInitialTip[] = "Korvana";

// Splits the executable's path; the program works in its own folder, and the
// settings file carries the executable's base name.
bool LocateProgram(AppWindows& app) {
  char path[512];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return false;
  std::string full(path, length);
  const size_t slash = full.find_last_of("\\/");
  app.programDirectory = full.substr(0, slash + 1);
  std::string file = full.substr(slash + 1);
  const size_t dot = file.find_last_of('.');
  app.baseName = dot == std::string::npos ? file : file.substr(0, dot);
  app.iniPath = app.programDirectory + app.baseName + ".ini";
  SetCurrentDirectoryA(app.programDirectory.c_str());
  return true;
}

// The pictures' source bitmaps are part of the program; without them it does
// not start.
bool LoadEmbeddedBitmaps(AppWindows& app) {
  for (const char* name : {"_moon_", "_earth_"}) {
    HRSRC found = FindResourceA(app.instance, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(app.instance, found);
    if (loaded == nullptr || LockResource(loaded) == nullptr) return false;
  }
  return true;
}

HICON LoadProgramIcon(const AppWindows& app) {
  const std::string iconFile = app.baseName + ".ico";
  HICON icon = ExtractIconA(app.instance, iconFile.c_str(), 0);
  if (icon != nullptr && icon != reinterpret_cast<HICON>(1)) return icon;
  return LoadIconA(app.instance, "_icon_");
}

bool CreateMainWindow(AppWindows& app) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = app.instance;
  windowClass.hIcon = app.programIcon;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
  windowClass.lpszMenuName = "Pop";
  windowClass.lpszClassName = kMainWindowClass;
  if (RegisterClassA(&windowClass) == 0) return false;
  app.mainWindow = CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_LAYERED, kMainWindowClass,
                                   kMainWindowClass, WS_OVERLAPPED, 0, 0, kMainWindowWidth,
                                   kMainWindowHeight, nullptr, nullptr, app.instance, nullptr);
  return app.mainWindow != nullptr;
}

void CreateProgressBar(AppWindows& app) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  RECT client;
  GetClientRect(app.mainWindow, &client);
  const int height = GetSystemMetrics(SM_CYVSCROLL);
  app.progressBar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, client.left,
                                    client.bottom - height, client.right, height, app.mainWindow,
                                    nullptr, app.instance, nullptr);
  SendMessageA(app.progressBar, PBM_SETSTEP, 1, 0);
}

void MakeTranslucent(HWND window) {
  using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  HMODULE user32 = GetModuleHandleA("user32");
  auto setLayered = reinterpret_cast<SetLayeredFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  constexpr BYTE kOpacity = 192;  // 75 %
  if (setLayered != nullptr) setLayered(window, 0, kOpacity, LWA_ALPHA);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Perform(int command) { SendMessageA(App().mainWindow, WM_COMMAND, command, 0); }

// The switches that survive a run, the menu texts of the tallies, and the
// user manual on a first run (no "Adhan/Salawaat" key yet).
void RestoreSwitches(AppWindows& app, ProgramState& state) {
  if (!FileExists(ProgramFilePath(app.baseName + ".rtf"))) {
    EnableMenuItem(app.popupMenu, IDM_USER_MANUAL, MF_BYCOMMAND | MF_GRAYED);
  }
  if (ReadWakeUp(state.iniPath)) Perform(IDM_WAKE_UP);
  for (int number = 1; number <= 5; ++number) {
    const std::string name = ReadTallyName(state.iniPath, number);
    ModifyMenuA(app.popupMenu, IDM_TALLY_FIRST + number - 1, MF_BYCOMMAND | MF_STRING,
                IDM_TALLY_FIRST + number - 1, name.c_str());
  }
  const AdhanSalawaatSetting adhan = ReadAdhanSalawaat(state.iniPath);
  if (adhan.unset) Perform(IDM_USER_MANUAL);
  if (!adhan.on) {
    state.AdhanSalawaatOn = false;
    SetMenuCheck(IDM_ADHAN_SALAWAAT, false);
  }
}

// The settings dialogs open on a first run, one after the other, when their
// sections hold no key.
void RunFirstRunDialogs(ProgramState& state) {
  if (!IniSectionHasKeys(state.iniPath, kCalcSection)) OpenCalcParamsDialog(state);
  if (!IniSectionHasKeys(state.iniPath, kOptionsSection)) OpenOptionsDialog(state);
}

// The wallpaper and the message mode chosen in an earlier run.
void ReplayChoices(ProgramState& state) {
  const int wallpaper = ReadWallpaperMode(state.iniPath);
  if (wallpaper >= 1 && wallpaper <= 3) Perform(IDM_WALLPAPER_MOON + wallpaper - 1);
  int mode = ReadMessageMode(state.iniPath);
  if (mode < kMessagesNone || mode > kMessagesBox) mode = kMessagesBox;
  Perform(IDM_MESSAGES_NONE + mode);
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int RunTrayProgram(HINSTANCE instance) {
  AppWindows& app = App();
  app.instance = instance;
  if (FindWindowA(kMainWindowClass, nullptr) != nullptr) return 0;  // one copy only
  if (!LocateProgram(app)) return 0;
  if (!LoadEmbeddedBitmaps(app)) return 0;
  app.programIcon = LoadProgramIcon(app);
  if (!CreateMainWindow(app)) return 0;
  CreateProgressBar(app);
  SetTimer(app.mainWindow, TIMER_TICK, 1000, nullptr);
  if (!AddTrayIcon(app.mainWindow, app.programIcon, kInitialTip)) return 0;
  app.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
  MakeTranslucent(app.mainWindow);
  app.popupMenu = GetSubMenu(GetMenu(app.mainWindow), 0);

  ProgramState& state = Program();
  state.iniPath = app.iniPath;
  RestoreSwitches(app, state);
  const SchedulerRequest request = SchedulerRequestFor(state);
  LoadCalcParams(state.iniPath, state.calc, state.astro, request);
  LoadOptions(state.iniPath, state.options, state.astro, &HostStartupEntry(), request);
  LoadAdhanFiles(state);
  Tick(state, Services());  // the first full check, before the message loop
  RunFirstRunDialogs(state);
  ReplayChoices(state);

  GetWindowRect(GetDesktopWindow(), &app.desktop);
  CreateGraphWindow(state, instance, app.programIcon, app.desktop);
  RegisterHotKey(app.mainWindow, HOTKEY_TOGGLE, MOD_WIN, 'A');  // a failure is ignored
  return RunMessageLoop();
}

}  // namespace korvana::win

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return korvana::win::RunTrayProgram(instance);
}
