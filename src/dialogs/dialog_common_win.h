#pragma once
// What the dialogs' Win32 sides share: reading and writing field texts,
// the rejected-input signal, menu items grayed while a dialog runs, and
// the tick run at once.

#include <windows.h>

#include <string>

namespace korvana::win {

std::string GetFieldText(HWND dialog, int id, int bufferBytes = 256);
void SetFieldText(HWND dialog, int id, const std::string& text);
void EnableField(HWND dialog, int id, bool enabled);
void CheckField(HWND dialog, int id, bool checked);

// A field failed its check: it takes the focus, the pressed button is
// disabled, the exclamation sound plays, and 333 ms later the button is
// enabled again. No message.
void RejectInput(HWND dialog, int buttonId, int fieldId);

// Grays or enables an item of the tray menu.
void EnableMenuCommand(int id, bool enabled);

// Runs the scheduler's tick at once by sending the main window its timer
// message.
void RunTickNow();

// A file beside the executable.
std::string ProgramFile(const std::string& name);
bool FileExists(const std::string& path);

}  // namespace korvana::win
