#pragma once
// How alerts reach the user: message boxes, tray balloons and the reminder
// dialog. The alert code decides text, caption and style; the presenter only
// shows them. Boxes and the dialog are modal: the calls return when the
// window closes, and the scheduler's ticks keep running meanwhile.

#include <string>

namespace korvana {

enum class BalloonIcon : int {
  kInformation = 1,
  kWarning = 2,
  kError = 3,
};

struct AlertBoxStyle {
  bool ownedByMainWindow = false;  // otherwise the box has no owner
  bool systemModal = false;
  bool warningIcon = false;        // otherwise no icon
  // An alert window that the next adhan or reminder closes: its handle is
  // kept for CloseAlertWindow.
  bool closedByNextAlert = false;
};

// The reminder dialog ("RemindDlg", caption "Korvana").
struct ReminderDialogTexts {
  std::string message;     // the static text
  std::string buttonText;  // the OK button
  std::string buttonTip;   // balloon tooltip of the button
};

class AlertPresenter {
 public:
  virtual ~AlertPresenter() = default;
  // A message box with an OK button; returns when it is closed.
  virtual void ShowMessageBox(const std::string& text, const std::string& caption,
                              const AlertBoxStyle& style) = 0;
  // Brings the main window to the foreground and shows a balloon at the tray
  // icon (time-out 33,333 ms).
  virtual void ShowBalloon(BalloonIcon icon, const std::string& title,
                           const std::string& text) = 0;
  // Runs the reminder dialog modally (owner: the main window). True when its
  // button (or Enter) closed it, false when CloseAlertWindow did.
  virtual bool RunReminderDialog(const ReminderDialogTexts& texts) = 0;
  // Closes the alert window still open (adhan box, reminder box, reminder
  // dialog), found by its kept handle; never the main window. Harmless when
  // none is open.
  virtual void CloseAlertWindow() = 0;
  // Blocks the thread (no ticks run meanwhile).
  virtual void Pause(int milliseconds) = 0;
};

}  // namespace korvana
