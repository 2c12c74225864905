#include "shell/tray_icon_win.h"

#include <shellapi.h>

#include <cstring>

#include "resources/resource_ids.h"

namespace korvana::win {

namespace {

// The short record without balloon fields; the long one only while a
// balloon is shown, as older shells accept nothing else.
#ifdef NOTIFYICONDATAA_V1_SIZE
constexpr DWORD kShortRecordSize = NOTIFYICONDATAA_V1_SIZE;
#else
constexpr DWORD kShortRecordSize = FIELD_OFFSET(NOTIFYICONDATAA, szTip[64]);
#endif
#ifdef NOTIFYICONDATAA_V2_SIZE
constexpr DWORD kBalloonRecordSize = NOTIFYICONDATAA_V2_SIZE;
#else
constexpr DWORD kBalloonRecordSize = FIELD_OFFSET(NOTIFYICONDATAA, guidItem);
#endif
#if !defined(_WIN64)
static_assert(kShortRecordSize == 88, "the short tray record is 88 bytes on 32-bit Windows");
static_assert(kBalloonRecordSize == 488, "the balloon tray record is 488 bytes on 32-bit Windows");
#endif
constexpr UINT kBalloonTimeoutMs = 33333;

NOTIFYICONDATAA g_tray = {};

void CopyText(char* target, size_t size, const std::string& text) {
  const size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(target, text.data(), n);
  target[n] = '\0';
}

}  // namespace

bool AddTrayIcon(HWND owner, HICON icon, const std::string& tip) {
  g_tray = {};
  g_tray.cbSize = kShortRecordSize;
  g_tray.hWnd = owner;
  g_tray.uID = 1;
  g_tray.uFlags = NIF_MESSAGE | NIF_ICON;
  g_tray.uCallbackMessage = WM_KORVANA_TRAY;
  g_tray.hIcon = icon;
  g_tray.uTimeout = kBalloonTimeoutMs;
  CopyText(g_tray.szTip, sizeof g_tray.szTip, tip);
  return Shell_NotifyIconA(NIM_ADD, &g_tray) != FALSE;
}

void ReAddTrayIcon() {
  g_tray.cbSize = kShortRecordSize;
  g_tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  Shell_NotifyIconA(NIM_ADD, &g_tray);
}

void SetTrayTip(const std::string& tip) {
  g_tray.cbSize = kShortRecordSize;
  g_tray.uFlags = NIF_TIP;
  CopyText(g_tray.szTip, sizeof g_tray.szTip, tip);
  Shell_NotifyIconA(NIM_MODIFY, &g_tray);
}

void ShowTrayBalloon(const std::string& text, const std::string& title, DWORD iconKind) {
  g_tray.cbSize = kBalloonRecordSize;
  g_tray.uFlags = NIF_INFO;
  CopyText(g_tray.szInfo, sizeof g_tray.szInfo, text);
  CopyText(g_tray.szInfoTitle, sizeof g_tray.szInfoTitle, title);
  g_tray.dwInfoFlags = iconKind;
  g_tray.uTimeout = kBalloonTimeoutMs;
  Shell_NotifyIconA(NIM_MODIFY, &g_tray);
  g_tray.cbSize = kShortRecordSize;
}

void RemoveTrayIcon() {
  g_tray.cbSize = kShortRecordSize;
  Shell_NotifyIconA(NIM_DELETE, &g_tray);
}

}  // namespace korvana::win
