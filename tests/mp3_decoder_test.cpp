// Converted files read back by a real decoder: MP3 files made by lame at test
// time, converted by `korvana-cli mp3towav`, and probed and decoded by ffmpeg. Native build only (the
// tools are Linux programs); skipped with a message when they are missing.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "temp_folder.h"

namespace korvana {
namespace {

// lame's Info frame, the encoder delay and the final frame's padding make
// the decoded stream longer than the source by up to this many frames.
constexpr double kDurationToleranceFrames = 4;

#ifndef _WIN32
// Runs `command` with the shell; its standard output, or false on failure.
bool RunCommand(const std::string& command, std::string* output) {
  std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return false;
  char buffer[4096];
  output->clear();
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output->append(buffer, got);
  return pclose(pipe) == 0;
}

bool HaveTools() {
  std::string ignored;
  return RunCommand("command -v lame && command -v ffmpeg && command -v ffprobe", &ignored);
}

std::string Probe(const std::string& file, const std::string& entries) {
  std::string out;
  RunCommand("ffprobe -v error -show_entries " + entries + " -of default=nw=1:nk=1 '" + file + "'",
             &out);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}
#endif

struct EncodeCase {
  const char* name;
  int sourceRateHz, sourceChannels;
  const char* lameOptions;
  int rateHz, channels;  // what the MP3 ends up with
  double seconds;
};

TEST(Mp3ToWavWithDecoder, RealDecoderPlaysTheWholeFile) {
#ifdef _WIN32
  GTEST_SKIP() << "lame and ffmpeg run in the native build";
#else
  if (!HaveTools()) GTEST_SKIP() << "lame, ffmpeg and ffprobe are needed (Debian: lame ffmpeg)";
  const EncodeCase cases[] = {
      {"mpeg1_joint_stereo_128k_44100", 44100, 2, "-b 128 -m j", 44100, 2, 3.0},
      {"mpeg1_mono_64k_48000", 48000, 1, "-b 64 -m m", 48000, 1, 2.0},
      {"mpeg1_stereo_320k_32000", 32000, 2, "-b 320 -m s", 32000, 2, 2.0},
      {"mpeg1_joint_stereo_vbr_44100", 44100, 2, "-V 5 -m j", 44100, 2, 4.0},
      {"mpeg2_mono_32k_22050", 22050, 1, "-b 32 -m m", 22050, 1, 3.0},
      {"mpeg2_joint_stereo_40k_16000", 16000, 2, "-b 40 -m j", 16000, 2, 2.5},
  };
  testing::TempFolder folder;
  for (const EncodeCase& c : cases) {
    const std::string source = folder.File(std::string(c.name) + ".pcm.wav");
    const std::string mp3 = folder.File(std::string(c.name) + ".mp3");
    const std::string wav = folder.File(std::string(c.name) + ".wav");
    std::string ignored;
    ASSERT_TRUE(RunCommand("ffmpeg -v error -y -f lavfi -i sine=frequency=440:sample_rate=" +
                               std::to_string(c.sourceRateHz) + ":duration=" +
                               std::to_string(c.seconds) + " -ac " +
                               std::to_string(c.sourceChannels) + " '" + source + "'",
                           &ignored))
        << c.name;
    ASSERT_TRUE(RunCommand("lame --quiet " + std::string(c.lameOptions) + " '" + source + "' '" +
                               mp3 + "'",
                           &ignored))
        << c.name;
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunMp3ToWavCommand({mp3, wav}, out, err), 0) << c.name << ": " << err.str();
    EXPECT_EQ(std::filesystem::file_size(wav), std::filesystem::file_size(mp3) + 70) << c.name;

    EXPECT_EQ(Probe(wav, "stream=codec_tag_string"), "U[0][0][0]") << c.name;  // tag 85
    EXPECT_EQ(Probe(wav, "stream=codec_name"), "mp3") << c.name;
    EXPECT_EQ(Probe(wav, "stream=sample_rate"), std::to_string(c.rateHz)) << c.name;
    EXPECT_EQ(Probe(wav, "stream=channels"), std::to_string(c.channels)) << c.name;

    const double frameSeconds = (c.rateHz >= 32000 ? 1152.0 : 576.0) / c.rateHz;
    const double tolerance = kDurationToleranceFrames * frameSeconds;
    const double mp3Seconds = std::atof(Probe(mp3, "format=duration").c_str());
    const double wavSeconds = std::atof(Probe(wav, "format=duration").c_str());
    std::string pcm;
    ASSERT_TRUE(RunCommand("ffmpeg -v error -i '" + wav + "' -f s16le -", &pcm)) << c.name;
    const double decodedSeconds =
        static_cast<double>(pcm.size()) / (2.0 * c.channels * c.rateHz);
    std::printf("%-32s mp3 %.3f s, wav reports %.3f s, decodes %.3f s (tolerance %.3f s)\n",
                c.name, mp3Seconds, wavSeconds, decodedSeconds, tolerance);
    EXPECT_NEAR(mp3Seconds, c.seconds, tolerance) << c.name;
    EXPECT_NEAR(wavSeconds, mp3Seconds, tolerance) << c.name << ": duration misreported";
    EXPECT_NEAR(decodedSeconds, mp3Seconds, tolerance) << c.name << ": decoding stops early";
  }
#endif
}

}  // namespace
}  // namespace korvana
