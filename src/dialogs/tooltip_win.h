#pragma once
// Balloon tooltips for dialog controls.

#include <windows.h>

namespace korvana::win {

// Gives `control` a balloon tooltip owned by `dialog`: a topmost tip window
// that shows while the mouse rests on the control, even when the dialog is
// not active, at most 333 pixels wide ("\n" in `text` breaks the line). The
// text must outlive the dialog (a string literal). Returns the tip window,
// which the dialog destroys along with itself.
HWND AttachTooltip(HWND control, HWND dialog, const char* text);

// Attaches a table of tooltips by control id; ids without a control are
// skipped.
struct TooltipText {
  int controlId;
  const char* text;
};
template <size_t N>
void AttachTooltips(HWND dialog, const TooltipText (&table)[N]) {
  for (const TooltipText& tip : table) {
    HWND control = GetDlgItem(dialog, tip.controlId);
    if (control != nullptr) AttachTooltip(control, dialog, tip.text);
  }
}

}  // namespace korvana::win
