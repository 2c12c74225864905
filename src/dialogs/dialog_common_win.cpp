#include "dialogs/dialog_common_win.h"

#include <vector>

#include "resources/resource_ids.h"
#include "shell/app_win.h"

namespace korvana::win {

namespace {

constexpr DWORD kRejectPauseMs = 333;

}  // namespace

std::string GetFieldText(HWND dialog, int id, int bufferBytes) {
  std::vector<char> text(static_cast<size_t>(bufferBytes), '\0');
  const UINT length = GetDlgItemTextA(dialog, id, text.data(), bufferBytes);
  return std::string(text.data(), length);
}

void SetFieldText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

void EnableField(HWND dialog, int id, bool enabled) {
  EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

void CheckField(HWND dialog, int id, bool checked) {
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void RejectInput(HWND dialog, int buttonId, int fieldId) {
  SetFocus(GetDlgItem(dialog, fieldId));
  HWND button = GetDlgItem(dialog, buttonId);
  EnableWindow(button, FALSE);
  UpdateWindow(button);  // show it grey during the pause
  MessageBeep(MB_ICONEXCLAMATION);
  Sleep(kRejectPauseMs);
  EnableWindow(button, TRUE);
}

void EnableMenuCommand(int id, bool enabled) {
  EnableMenuItem(App().popupMenu, static_cast<UINT>(id),
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void RunTickNow() { SendMessageA(App().mainWindow, WM_TIMER, TIMER_TICK, 0); }

std::string ProgramFile(const std::string& name) { return App().programDirectory + name; }

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace korvana::win
