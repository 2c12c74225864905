#include "graphics/graph_window_win.h"

#include <cstdio>
#include <string>
#include <vector>

#include "graphics/gdi_canvas_win.h"
#include "graphics/graphs.h"
#include "graphics/picture.h"
#include "graphics/wallpaper_win.h"
#include "graphics/world_map.h"
#include "platform/time_zone_rules.h"
#include "resources/resource_ids.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

// Not a documented style of its own: the bit is part of the window's style
// word as the program has always made it.
constexpr DWORD kGraphWindowLowStyleBit = 0x0002;

HWND g_window = nullptr;
ProgramState* g_state = nullptr;
int g_width = 0;   // W: the screen's width, pixels
int g_height = 0;  // H: the screen's height, pixels

void HideGraphWindow(HWND window) {
  if (g_state != nullptr) g_state->LastGraphicsCommand = 0;
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, g_width, g_height, SWP_HIDEWINDOW);
}

LRESULT CALLBACK GraphWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DISPLAYCHANGE: {
      g_width = LOWORD(lParam);
      g_height = HIWORD(lParam);
      break;
    }
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN: {
      HideGraphWindow(window);
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  uint8_t buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + count);
  }
  std::fclose(file);
  return bytes;
}

// Copies the finished canvas onto the window in one piece.
void ShowCanvas(const GraphPaint& paint) {
  BitBlt(paint.windowDc, 0, 0, g_width, g_height, paint.canvasDc, 0, 0, SRCCOPY);
}

void DrawAnglesGraphic(ProgramState& state) {
  GraphPaint paint;
  BeginGraphPaint(paint);
  {
    GdiCanvas canvas(paint.canvasDc, g_width, g_height);
    DrawAngles(canvas, state.astro, state.astro.sightAltitude);
    ShowCanvas(paint);
  }
  EndGraphPaint(paint);
}

void DrawTrajectoriesGraphic(ProgramState& state) {
  GraphPaint paint;
  BeginGraphPaint(paint);
  {
    GdiCanvas canvas(paint.canvasDc, g_width, g_height);
    DrawTrajectories(canvas, state.astro, &state.TickCountdown);
    ShowCanvas(paint);
  }
  EndGraphPaint(paint);
}

void DrawAnnualGraphic(ProgramState& state) {
  const CalcParams& calc = state.calc;
  const TimeZoneRules& zone = HostTimeZoneRules();
  AnnualGraphJob job;
  job.state = &state.astro;
  job.year = state.CurrentDateTime.year;
  job.latitude = calc.latitude;
  job.longitude = calc.longitude;
  job.standardZone = calc.windowsTimeZone != 0 ? zone.CurrentStandardOffsetMinutes()
                                               : calc.timeZone;
  job.daylightSaving = calc.daylightSaving != 0;
  job.windowsDaylightSaving = calc.windowsDaylightSaving != 0;
  if (job.windowsDaylightSaving) job.systemDaylightSaving = DaylightSavingOf(zone);
  job.tickCountdown = &state.TickCountdown;
  GraphPaint paint;
  BeginGraphPaint(paint);
  {
    GdiCanvas canvas(paint.canvasDc, g_width, g_height);
    DrawAnnualPrayerGraph(canvas, job);
    ShowCanvas(paint);
  }
  EndGraphPaint(paint);
}

// The Moon, Earth and Globe views of "wall.bmp", which is deleted after.
void DrawPictureViewGraphic(ProgramState& state, int kind) {
  const std::string folder = App().programDirectory;
  PictureJob job;
  job.state = &state.astro;
  job.latitude = state.calc.latitude;
  job.folder = folder;
  job.desktop = &ProgramDesktop();
  RenderPicture(kind, job);
  const std::string path = folder + kPictureFileName;
  GraphPaint paint;
  BeginGraphPaint(paint);
  {
    GdiCanvas canvas(paint.canvasDc, g_width, g_height);
    // A picture that could not be written leaves the canvas as it began.
    DrawPictureView(canvas, kind, ReadWholeFile(path));
    ShowCanvas(paint);
  }
  EndGraphPaint(paint);
  DeleteFileA(path.c_str());
}

void DrawWorldMapGraphic(ProgramState& state, int kind) {
  WorldMapJob job;
  job.state = &state.astro;
  job.latitude = state.calc.latitude;
  job.longitude = state.calc.longitude;
  job.fajrAngle = state.calc.fajrAngle;
  job.ishaAngle = state.calc.ishaAngle;
  job.sightAltitude = state.astro.sightAltitude;
  Image map;
  // A land mask the maps cannot read shows nothing, not even the window.
  if (!BuildWorldMap(kind, job, &map)) return;
  GraphPaint paint;
  BeginGraphPaint(paint);
  {
    GdiCanvas canvas(paint.canvasDc, g_width, g_height);
    canvas.StretchImage(map, 0, 0, map.width, map.height, 0, 0, g_width, g_height);
    ShowCanvas(paint);
  }
  EndGraphPaint(paint);
}

}  // namespace

bool CreateGraphWindow(ProgramState& state, HINSTANCE instance, HICON icon, const RECT& desktop) {
  g_state = &state;
  g_width = desktop.right;
  g_height = desktop.bottom;
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = GraphWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
  windowClass.lpszClassName = kGraphWindowClass;
  if (RegisterClassA(&windowClass) == 0) return false;
  g_window = CreateWindowExA(0, kGraphWindowClass, nullptr,
                             WS_POPUP | WS_BORDER | WS_SYSMENU | kGraphWindowLowStyleBit, 0, 0, 0,
                             0, nullptr, nullptr, instance, nullptr);
  return g_window != nullptr;
}

HWND GraphWindow() { return g_window; }

bool IsGraphWindowVisible() { return g_window != nullptr && IsWindowVisible(g_window); }

int BeginGraphPaint(GraphPaint& paint) {
  SetWindowPos(g_window, HWND_TOPMOST, 0, 0, g_width, g_height, SWP_SHOWWINDOW);
  const RECT whole = {0, 0, g_width, g_height};
  InvalidateRect(g_window, &whole, FALSE);
  paint.windowDc = BeginPaint(g_window, &paint.paint);
  paint.canvasDc = CreateCompatibleDC(paint.windowDc);
  paint.canvasBitmap = CreateCompatibleBitmap(paint.windowDc, g_width, g_height);
  paint.originalBitmap = SelectObject(paint.canvasDc, paint.canvasBitmap);
  // Every graphic starts on black, as the console front end's pictures do.
  PatBlt(paint.canvasDc, 0, 0, g_width, g_height, BLACKNESS);
  SetBkMode(paint.canvasDc, TRANSPARENT);
  SetTextCharacterExtra(paint.canvasDc, g_width / 410);
  SetTextColor(paint.canvasDc, RGB(255, 255, 255));
  return g_width < g_height ? g_width : g_height;
}

void EndGraphPaint(GraphPaint& paint) {
  EndPaint(g_window, &paint.paint);
  SelectObject(paint.canvasDc, paint.originalBitmap);
  DeleteDC(paint.canvasDc);
  DeleteObject(paint.canvasBitmap);
  paint = GraphPaint{};
}

void ShowGraphic(ProgramState& state, int command) {
  if (g_window == nullptr || command < IDM_GRAPH_ANGLES || command > IDM_GRAPH_ANNUAL) return;
  state.LastGraphicsCommand = command;
  switch (command) {
    case IDM_GRAPH_ANGLES: {
      DrawAnglesGraphic(state);
      break;
    }
    case IDM_GRAPH_TRAJECTORIES: {
      DrawTrajectoriesGraphic(state);
      break;
    }
    case IDM_GRAPH_MOON_VIEW:
    case IDM_GRAPH_EARTH_VIEW:
    case IDM_GRAPH_GLOBE_VIEW: {
      DrawPictureViewGraphic(state, command - IDM_GRAPH_TRAJECTORIES);
      break;
    }
    case IDM_MAP_PRAYER:
    case IDM_MAP_QIBLA:
    case IDM_MAP_DECLINATION: {
      DrawWorldMapGraphic(state, command);
      break;
    }
    case IDM_GRAPH_ANNUAL: {
      DrawAnnualGraphic(state);
      break;
    }
    default:
      break;
  }
}

}  // namespace korvana::win
