// korvana-cli mp3towav: wraps an MP3 file into a WAV file the system's sound
// player can play.

#include <ostream>

#include "cli/commands.h"
#include "convert/mp3_to_wav.h"

namespace korvana::cli {

int RunMp3ToWavCommand(const Args& args, std::ostream& out, std::ostream& err) {
  (void)out;
  if (args.size() != 2 || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0) {
    err << "korvana-cli mp3towav: usage: korvana-cli mp3towav IN.mp3 OUT.wav\n";
    return 2;
  }
  ConvertFailure failure;
  if (!ConvertMp3ToWavFile(args[0], args[1], &failure)) {
    err << failure.caption << ": " << failure.text << "\n";
    return 1;
  }
  return 0;
}

}  // namespace korvana::cli
