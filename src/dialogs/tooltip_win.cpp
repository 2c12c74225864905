#include "dialogs/tooltip_win.h"

#include <commctrl.h>

namespace korvana::win {

namespace {

constexpr int kMaxTipWidthPixels = 333;

}  // namespace

HWND AttachTooltip(HWND control, HWND dialog, const char* text) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)registered;
  const HINSTANCE instance =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                             instance, nullptr);
  if (tip == nullptr) return nullptr;
  TOOLINFOA tool = {};
  // The size every version of the common controls accepts.
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text);
  SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidthPixels);
  return tip;
}

}  // namespace korvana::win
