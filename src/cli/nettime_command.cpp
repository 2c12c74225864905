// korvana-cli nettime: asks the time servers of the INI file and shows how far
// this computer's clock is off; with --set it corrects the clock.

#include <cstdint>
#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "nettime/clock_correction.h"
#include "nettime/time_socket.h"
#include "platform/file_replace.h"
#include "platform/program_path.h"
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

}  // namespace

int RunNetTimeCommand(const Args& args, std::ostream& out, std::ostream& err) {
  // --set and --port are this command's own; the rest goes to the shared parser.
  bool set = false;
  int32_t port = kTimeProtocolPort;
  Args shared;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--set") {
      set = true;
    } else if (args[i] == "--port") {
      if (i + 1 >= args.size() || !ParseWholeNumber(args[i + 1], 1, 65535, &port)) {
        err << "korvana-cli nettime: bad value for --port: '"
            << (i + 1 < args.size() ? args[i + 1] : "") << "'\n";
        return 2;
      }
      ++i;
    } else {
      shared.push_back(args[i]);
    }
  }
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(shared, {"ini"}, &options, &error)) {
    err << "korvana-cli nettime: " << error << "\n";
    return 2;
  }
  if (!options.positional.empty()) {
    err << "korvana-cli nettime: unexpected argument '" << options.positional.front() << "'\n";
    return 2;
  }
  const std::string iniPath = options.iniPath.value_or(PathBesideExecutable("korvana.ini"));
  if (options.iniPath) {
    // A file named on the command line must be there; the default may be
    // missing, and then no server is listed.
    std::string bytes;
    if (ReadWholeFile(iniPath, &bytes) != FileReadResult::kRead) {
      err << "korvana-cli nettime: cannot read the settings file '" << iniPath << "'\n";
      return 1;
    }
  }

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
