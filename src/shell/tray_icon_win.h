#pragma once
// The notification-area icon: its record, tip and balloon.

#include <windows.h>

#include <string>

namespace korvana::win {

// Adds the icon with the given tip; false when the shell refuses it.
bool AddTrayIcon(HWND owner, HICON icon, const std::string& tip);
// Adds the icon again after the shell restarted, keeping the current tip.
void ReAddTrayIcon();
// Replaces the tip (cut to 63 characters).
void SetTrayTip(const std::string& tip);
// Shows a balloon with text (255) and title (63); `iconKind` is NIIF_*.
void ShowTrayBalloon(const std::string& text, const std::string& title, DWORD iconKind);
void RemoveTrayIcon();

}  // namespace korvana::win
