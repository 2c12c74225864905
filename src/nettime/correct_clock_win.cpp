// The clock correction of the tray program: the "Q-UDP" socket window as its
// progress window and message boxes for its results.

#include <windows.h>

#include "nettime/correct_clock.h"
#include "nettime/time_socket.h"
#include "nettime/time_socket_win.h"
#include "platform/wall_clock.h"

namespace korvana {

namespace {

constexpr int kProgressWidth = 300;

class MessageBoxCorrectionUi final : public CorrectionUi {
 public:
  void ShowSocketError() override {
    MessageBoxA(GetActiveWindow(), kWinsockErrorText, kNetTimeCaption, MB_OK | MB_ICONERROR);
  }

  // Centred horizontally, its top at half the screen's height; only the
  // title bar shows.
  void ShowProgress() override {
    const HWND window = TimeSocketWindow();
    if (window == nullptr) return;
    SetWindowTextA(window, kNetTimeCaption);
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    SetWindowPos(window, nullptr, (width - kProgressWidth) / 2, height / 2, kProgressWidth, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
  }

  void ShowHost(const std::string& host) override {
    if (TimeSocketWindow() != nullptr) SetWindowTextA(TimeSocketWindow(), host.c_str());
  }

  bool AskToFix(const std::string& text, const std::string& caption) override {
    return MessageBoxA(TimeSocketWindow(), text.c_str(), caption.c_str(),
                       MB_YESNO | MB_ICONINFORMATION) == IDYES;
  }

  void ShowNoCorrection(const std::string& text, const std::string& caption) override {
    MessageBoxA(TimeSocketWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
  }

  // The user said Yes but the system refused (no right to set the time):
  // saying nothing would pass the failure off as a correction.
  void ShowSetFailure(const std::string& error) override {
    MessageBoxA(TimeSocketWindow(), error.c_str(), kNetTimeCaption, MB_OK | MB_ICONERROR);
  }

  void ShowNoResponse() override {
    MessageBoxA(TimeSocketWindow(), kNoResponseText, kNetTimeCaption, MB_OK | MB_ICONERROR);
  }

  void HideProgress() override {
    if (TimeSocketWindow() != nullptr) ShowWindow(TimeSocketWindow(), SW_HIDE);
  }
};

// The program's one time socket, kept between corrections.
TimeTransport& ProgramTimeSocket() {
  static const std::unique_ptr<TimeTransport> socket = CreateTimeSocket(kTimeProtocolPort);
  return *socket;
}

}  // namespace

CorrectionOutcome RunManualClockCorrection(const std::string& iniPath) {
  MessageBoxCorrectionUi ui;
  return RunClockCorrection(ReadTimeServerSettings(iniPath), ProgramTimeSocket(), HostWallClock(),
                            &ui, /*silent=*/false);
}

CorrectionOutcome RunSilentClockCorrection(const std::string& iniPath) {
  return RunClockCorrection(ReadTimeServerSettings(iniPath), ProgramTimeSocket(), HostWallClock(),
                            nullptr, /*silent=*/true);
}

}  // namespace korvana
