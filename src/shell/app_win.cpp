#include "shell/app_win.h"

namespace korvana::win {

AppWindows& App() {
  static AppWindows app;
  return app;
}

}  // namespace korvana::win
