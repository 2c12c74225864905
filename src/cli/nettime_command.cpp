// korvana-cli nettime: asks the time servers of the INI file and shows how far
// this computer's clock is off; with --set it corrects the clock.

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "nettime/clock_correction.h"
#include "nettime/time_socket.h"
#include "platform/wall_clock.h"
#include "settings/decimal_text.h"

namespace korvana::cli {

namespace {

// The console's side of a manual correction: the texts go to the console and
// the question is answered by --set.
class ConsoleCorrectionUi final : public CorrectionUi {
 public:
  ConsoleCorrectionUi(bool set, std::ostream& out, std::ostream& err)
      : set_(set), out_(out), err_(err) {}

  void ShowSocketError() override { err_ << kNetTimeCaption << ": " << kWinsockErrorText << "\n"; }
  void ShowProgress() override {}
  void ShowHost(const std::string&) override {}
  bool AskToFix(const std::string& text, const std::string& caption) override {
    out_ << caption << "\n" << text;
    return set_;
  }
  void ShowNoCorrection(const std::string& text, const std::string& caption) override {
    out_ << caption << "\n" << text;
  }
  void ShowSetFailure(const std::string& error) override {
    err_ << kNetTimeCaption << ": the clock cannot be set: " << error << "\n";
  }
  void ShowNoResponse() override { err_ << kNoResponseText << "\n"; }
  void HideProgress() override {}

 private:
  bool set_;
  std::ostream& out_;
  std::ostream& err_;
};

// "korvana.ini" beside the executable, as the tray program finds it.
std::string IniBesideExecutable() {
  std::error_code error;
#ifdef _WIN32
  char program[260] = {};
  GetModuleFileNameA(nullptr, program, sizeof program - 1);
  std::filesystem::path exe(program);
#else
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
#endif
  return (exe.parent_path() / "korvana.ini").string();
}

}  // namespace

int RunNetTimeCommand(const Args& args, std::ostream& out, std::ostream& err) {
  bool set = false;
  std::string iniPath;
  int32_t port = kTimeProtocolPort;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--set") {
      set = true;
    } else if ((word == "--ini" || word == "--port") && i + 1 < args.size()) {
      const std::string& value = args[++i];
      if (word == "--ini") {
        iniPath = value;
      } else if (!ParseWholeNumber(value, 1, 65535, &port)) {
        err << "korvana-cli nettime: bad value for --port: '" << value << "'\n";
        return 2;
      }
    } else {
      err << "korvana-cli nettime: unexpected argument '" << word << "'\n";
      return 2;
    }
  }
  if (iniPath.empty()) iniPath = IniBesideExecutable();

  const TimeServerSettings settings = ReadTimeServerSettings(iniPath);
  const std::unique_ptr<TimeTransport> socket = CreateTimeSocket(static_cast<uint16_t>(port));
  ConsoleCorrectionUi ui(set, out, err);
  const CorrectionOutcome outcome =
      RunClockCorrection(settings, *socket, HostWallClock(), &ui, /*silent=*/false);
  if (outcome.result != CorrectionResult::kAnswered) return 1;
  out << "Drift: " << outcome.driftSeconds << " s\n";
  if (outcome.clockSet) out << "Clock corrected by " << -outcome.driftSeconds << " s\n";
  return outcome.fixWanted && !outcome.clockSet ? 1 : 0;
}

}  // namespace korvana::cli
