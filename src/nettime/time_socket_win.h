#pragma once
// The Windows side of the time socket: the hidden "Q-UDP" window that
// receives the socket's notifications and the wait timer. Included only by
// Windows sources.

#include <windows.h>

namespace korvana {

// The socket window, created on the first correction; nullptr before that
// and after it was destroyed.
HWND TimeSocketWindow();

}  // namespace korvana
