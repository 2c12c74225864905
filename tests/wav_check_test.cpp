// Which files the alert player accepts as WAV files before it starts them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/wav_check.h"
#include "temp_folder.h"

namespace korvana {
namespace {

using testing::TempFolder;

std::string Le32(uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

std::string Le16(uint16_t v) { return Le32(v).substr(0, 2); }

std::string Chunk(const std::string& id, const std::string& body) {
  std::string c = id + Le32(static_cast<uint32_t>(body.size())) + body;
  if (body.size() % 2 == 1) c += '\0';
  return c;
}

// A format chunk body: tag, channels, rate, bytes per second, block align, bits.
std::string Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign) {
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) + Le16(blockAlign) +
         Le16(16);
}

std::string Riff(const std::string& form, const std::string& chunks) {
  return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + form + chunks;
}

const std::string kPcm = Format(1, 1, 11025, 2);
const std::string kSamples(200, '\x10');

struct WavCase {
  const char* name;
  std::string bytes;
  bool playable;
};

class WavCheckTest : public ::testing::TestWithParam<WavCase> {};

TEST_P(WavCheckTest, TellsPlayableFromBroken) {
  TempFolder folder;
  const std::string path = folder.Write("sound.wav", GetParam().bytes);
  EXPECT_EQ(IsPlayableWavFile(path), GetParam().playable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WavCheckTest,
    ::testing::Values(
        WavCase{"pcm", Riff("WAVE", Chunk("fmt ", kPcm) + Chunk("data", kSamples)), true},
        WavCase{"mp3_inside_wav", Riff("WAVE", Chunk("fmt ", Format(85, 2, 44100, 1) +
                                                                 std::string(14, '\0')) +
                                                   Chunk("fact", Le32(1000)) +
                                                   Chunk("data", kSamples)),
                true},
        WavCase{"odd_chunk_before_data",
                Riff("WAVE", Chunk("fmt ", kPcm) + Chunk("LIST", "abc") + Chunk("data", kSamples)),
                true},
        WavCase{"data_before_format", Riff("WAVE", Chunk("data", kSamples) + Chunk("fmt ", kPcm)),
                true},
        WavCase{"data_cut_short", Riff("WAVE", Chunk("fmt ", kPcm) + "data" + Le32(50000) + "xy"),
                true},
        WavCase{"empty_file", "", false},
        WavCase{"text_file", "this is not a sound\n", false},
        WavCase{"riff_of_another_form", Riff("AVI ", Chunk("fmt ", kPcm) + Chunk("data", kSamples)),
                false},
        WavCase{"no_data_chunk", Riff("WAVE", Chunk("fmt ", kPcm)), false},
        WavCase{"no_format_chunk", Riff("WAVE", Chunk("data", kSamples)), false},
        WavCase{"empty_data_chunk", Riff("WAVE", Chunk("fmt ", kPcm) + Chunk("data", "")), false},
        WavCase{"format_too_short", Riff("WAVE", Chunk("fmt ", kPcm.substr(0, 10)) +
                                                     Chunk("data", kSamples)),
                false},
        WavCase{"no_channels", Riff("WAVE", Chunk("fmt ", Format(1, 0, 11025, 2)) +
                                                Chunk("data", kSamples)),
                false},
        WavCase{"header_cut_off", Riff("WAVE", Chunk("fmt ", kPcm)).substr(0, 20), false},
        WavCase{"chunk_size_past_the_end",
                Riff("WAVE", "JUNK" + Le32(0xFFFFFFF0u) + Chunk("fmt ", kPcm) +
                                 Chunk("data", kSamples)),
                false}),
    [](const ::testing::TestParamInfo<WavCase>& info) { return std::string(info.param.name); });

TEST(WavCheck, MissingFileIsNotPlayable) {
  TempFolder folder;
  EXPECT_FALSE(IsPlayableWavFile(folder.File("none.wav")));
}

TEST(WavCheck, ShippedSoundsArePlayable) {
  for (const char* name : {"ezan.wav", "sala.wav", "ezandua.wav"}) {
    EXPECT_TRUE(IsPlayableWavFile(std::string(KORVANA_TEST_DATA_DIR) + "/../../data/sounds/" + name))
        << name;
  }
}

}  // namespace
}  // namespace korvana
