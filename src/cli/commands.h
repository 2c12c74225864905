#pragma once
// The console front end's commands. Each takes the words after its name,
// writes its result to `out` and problems to `err`, and returns the exit
// status: 0 done, 1 failed, 2 bad usage.

#include <iosfwd>
#include <string>
#include <vector>

namespace korvana::cli {

using Args = std::vector<std::string>;

int RunTimesCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunReportCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunNowCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunRenderCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunMapCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunGraphCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunAstroCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunHijriCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunNetTimeCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunMp3ToWavCommand(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace korvana::cli
