#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "convert/mp3_to_wav.h"
#include "temp_folder.h"

namespace korvana {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

uint32_t Le32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}
uint16_t Le16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                               static_cast<uint8_t>(bytes[at + 1]) << 8);
}

struct HeaderCase {
  const char* name;
  uint8_t bytes[4];
  int bitRateKbps, sampleRateHz, channels;
};

TEST(Mp3FrameHeader, RatesAndChannelsFromTheFirstFrame) {
  const HeaderCase cases[] = {
      {"mpeg1_layer3_128k_44100_joint", {0xFF, 0xFB, 0x90, 0x44}, 128, 44100, 2},
      {"mpeg2_layer3_32k_22050_mono", {0xFF, 0xF3, 0x40, 0xC4}, 32, 22050, 1},
      {"mpeg1_layer3_320k_48000_dual", {0xFF, 0xFB, 0xE4, 0x80}, 320, 48000, 2},
      {"mpeg2_layer3_160k_16000", {0xFF, 0xF3, 0xE8, 0x00}, 160, 16000, 2},
      {"mpeg2_layer3_8k_24000", {0xFF, 0xF3, 0x14, 0x40}, 8, 24000, 2},
      {"mpeg1_layer1_448k_32000", {0xFF, 0xFF, 0xE8, 0xC0}, 448, 32000, 1},
      {"mpeg1_layer2_384k", {0xFF, 0xFD, 0xE0, 0x00}, 384, 44100, 2},
      {"mpeg2_layer2_takes_mpeg1_values", {0xFF, 0xF5, 0x10, 0x00}, 32, 22050, 2},
      {"mpeg2_layer1_takes_mpeg1_values", {0xFF, 0xF7, 0xE0, 0x00}, 448, 22050, 2},
      {"free_format_gives_0", {0xFF, 0xFB, 0x04, 0x44}, 0, 48000, 2},
      {"bit_rate_index_15_gives_0", {0xFF, 0xFB, 0xF0, 0x44}, 0, 44100, 2},
      {"reserved_sampling_index_gives_0", {0xFF, 0xFB, 0x9C, 0x44}, 128, 0, 2},
      {"reserved_layer_gives_0", {0xFF, 0xF9, 0x90, 0x44}, 0, 44100, 2},
      {"mpeg25_8000", {0xFF, 0xE3, 0x38, 0x64}, 24, 8000, 2},
      {"mpeg25_11025_mono", {0xFF, 0xE3, 0x30, 0xC0}, 24, 11025, 1},
  };
  for (const HeaderCase& c : cases) {
    EXPECT_TRUE(HasFrameSync(c.bytes)) << c.name;
    const Mp3FrameHeader h = ReadFrameHeader(c.bytes);
    EXPECT_EQ(h.bitRateKbps, c.bitRateKbps) << c.name;
    EXPECT_EQ(h.sampleRateHz, c.sampleRateHz) << c.name;
    EXPECT_EQ(h.channels, c.channels) << c.name;
  }
}

TEST(Mp3FrameHeader, FrameSyncNeedsElevenBits) {
  const uint8_t id3[4] = {'I', 'D', '3', 0x03};
  const uint8_t tenBits[4] = {0xFF, 0xDF, 0x90, 0x44};
  const uint8_t elevenBits[4] = {0xFF, 0xE0, 0x00, 0x00};
  EXPECT_FALSE(HasFrameSync(id3));
  EXPECT_FALSE(HasFrameSync(tenBits));
  EXPECT_TRUE(HasFrameSync(elevenBits));
}

TEST(WavHeader, SeventyBytesForTheFirstEdgeCase) {
  // A 128 kbit/s 44100 Hz joint-stereo file of 1000 bytes holding 20736 samples.
  const uint8_t first[4] = {0xFF, 0xFB, 0x90, 0x44};
  const auto h = BuildWavHeader(ReadFrameHeader(first), 1000, 20736);
  const uint8_t expected[kWavHeaderSize] = {
      'R', 'I', 'F', 'F', 0x26, 0x04, 0, 0,          // RIFF, 1000 + 62
      'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',        //
      30, 0, 0, 0,                                   // format chunk size
      85, 0,                                         // MPEG Layer-3
      2, 0,                                          // channels
      0x44, 0xAC, 0, 0,                              // 44100 Hz
      0x80, 0x3E, 0, 0,                              // 16000 bytes per second
      1, 0, 0, 0,                                    // block align, bits per sample
      12, 0, 1, 0,                                   // extra size, Layer-3 id
      2, 0, 0, 0,                                    // padding off
      96, 0, 1, 0,                                   // block size, frames per block
      0x71, 0x05,                                    // codec delay 1393
      'f', 'a', 'c', 't', 4, 0, 0, 0, 0x00, 0x51, 0, 0,  // 20736 samples
      'd', 'a', 't', 'a', 0xE8, 0x03, 0, 0,          // 1000 bytes
  };
  EXPECT_EQ(std::vector<uint8_t>(h.begin(), h.end()),
            std::vector<uint8_t>(expected, expected + kWavHeaderSize));
}

// MP3 files made by lame (see tests/data/README.md). The sample counts are
// what ffmpeg decodes from the converted file.
struct FixtureCase {
  const char* file;
  uint16_t channels;
  uint32_t sampleRateHz, bytesPerSecond, samples;
};

TEST(Mp3ToWav, LameFilesGetTheirHeaderAndAreCopiedWhole) {
  const FixtureCase cases[] = {
      {"mpeg1_joint_128k_44100.mp3", 2, 44100, 16000, 20736},
      {"mpeg1_mono_64k_48000.mp3", 1, 48000, 8000, 21888},
      {"mpeg1_stereo_320k_32000.mp3", 2, 32000, 40000, 16128},
      {"mpeg2_mono_32k_22050.mp3", 1, 22050, 4000, 10368},
      {"mpeg2_joint_40k_16000.mp3", 2, 16000, 5000, 8640},
      {"mpeg25_joint_24k_8000.mp3", 2, 8000, 3000, 5184},
  };
  TempFolder folder;
  for (const FixtureCase& c : cases) {
    const std::string input = std::string(KORVANA_TEST_DATA_DIR) + "/mp3/" + c.file;
    const std::string output = folder.File(std::string(c.file) + ".wav");
    ConvertFailure failure;
    ASSERT_TRUE(ConvertMp3ToWavFile(input, output, &failure)) << c.file << ": " << failure.text;
    const std::string mp3 = ReadBytes(input);
    const std::string wav = ReadBytes(output);
    ASSERT_FALSE(mp3.empty()) << c.file;
    ASSERT_EQ(wav.size(), mp3.size() + 70) << c.file;
    EXPECT_EQ(wav.substr(0, 4), "RIFF") << c.file;
    EXPECT_EQ(Le32(wav, 4), mp3.size() + 62) << c.file;
    EXPECT_EQ(Le16(wav, 20), 85) << c.file;
    EXPECT_EQ(Le16(wav, 22), c.channels) << c.file;
    EXPECT_EQ(Le32(wav, 24), c.sampleRateHz) << c.file;
    EXPECT_EQ(Le32(wav, 28), c.bytesPerSecond) << c.file;
    EXPECT_EQ(Le32(wav, 58), c.samples) << c.file;
    EXPECT_EQ(Le32(wav, 66), mp3.size()) << c.file;
    EXPECT_TRUE(wav.compare(70, std::string::npos, mp3) == 0) << c.file << ": data differs";
  }
}

TEST(Mp3ToWav, FreeFormatWritesZeroRatesAndStillConverts) {
  TempFolder folder;
  std::string free = std::string("\xFF\xFB\x04\x44", 4) + std::string(500, '\x55');
  const std::string input = folder.Write("free.mp3", free);
  ConvertFailure failure;
  ASSERT_TRUE(ConvertMp3ToWavFile(input, folder.File("free.wav"), &failure)) << failure.text;
  const std::string wav = ReadBytes(folder.File("free.wav"));
  ASSERT_EQ(wav.size(), free.size() + 70);
  EXPECT_EQ(Le32(wav, 24), 48000u);
  EXPECT_EQ(Le32(wav, 28), 0u);  // no bit rate
  EXPECT_EQ(Le32(wav, 58), 0u);  // no frame length to count samples with
}

TEST(Mp3ToWav, AnExistingOtherOutputIsReplaced) {
  TempFolder folder;
  const std::string mp3 = std::string("\xFF\xF3\x40\xC4", 4) + std::string(200, '\x11');
  const std::string input = folder.Write("in.mp3", mp3);
  const std::string output = folder.Write("out.wav", std::string(5000, 'x'));
  ConvertFailure failure;
  ASSERT_TRUE(ConvertMp3ToWavFile(input, output, &failure)) << failure.caption << failure.text;
  const std::string wav = ReadBytes(output);
  ASSERT_EQ(wav.size(), mp3.size() + 70);
  EXPECT_EQ(Le16(wav, 22), 1);
  EXPECT_EQ(Le32(wav, 24), 22050u);
  EXPECT_EQ(Le32(wav, 28), 4000u);
}

struct FailureCase {
  const char* name;
  std::string input;     // contents of the input file; "<none>": no file
  std::string inputName, outputName;  // relative to the temporary folder
  std::string text, caption;
  bool outputWritten;
};

TEST(Mp3ToWav, FailuresAreReportedWithTextAndCaption) {
  const std::string frame = std::string("\xFF\xFB\x90\x44", 4) + std::string(413, '\0');
  const std::string noFile = std::strerror(ENOENT);
  const FailureCase cases[] = {
      {"empty_file", "", "in.mp3", "out.wav", kTooShortText, kOpenInputCaption, false},
      {"three_bytes", "\xFF\xFB\x90", "in.mp3", "out.wav", kTooShortText, kOpenInputCaption,
       false},
      {"leading_id3_tag", std::string("ID3\x03\0\0\0\0\0\x10", 10) + frame, "in.mp3", "out.wav",
       "Invalid MP3 format", "MP3toWAV", false},
      {"missing_input", "<none>", "in.mp3", "out.wav", noFile, kOpenInputCaption, false},
      {"same_path", frame, "in.mp3", "in.mp3", "INPUT & OUTPUT files must be different...",
       "Error Opening Output File", false},
      {"same_path_other_case", frame, "in.mp3", "IN.MP3",
       "INPUT & OUTPUT files must be different...", "Error Opening Output File", false},
      {"same_file_other_spelling", frame, "in.mp3", "sub/../in.mp3",
       "INPUT & OUTPUT files must be different...", "Error Opening Output File", false},
      {"output_folder_missing", frame, "in.mp3", "no-folder/out.wav", noFile,
       "Error Opening Output File", false},
  };
  for (const FailureCase& c : cases) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "sub");
    const std::string input =
        c.input == "<none>" ? folder.File(c.inputName) : folder.Write(c.inputName, c.input);
    const std::string output = folder.File(c.outputName);
    ConvertFailure failure;
    EXPECT_FALSE(ConvertMp3ToWavFile(input, output, &failure)) << c.name;
    EXPECT_EQ(failure.text, c.text) << c.name;
    EXPECT_EQ(failure.caption, c.caption) << c.name;
    if (c.input != "<none>") {
      EXPECT_EQ(ReadBytes(input), c.input) << c.name << ": the input changed";
    }
    if (c.outputName != c.inputName && c.outputName != "IN.MP3" &&
        c.outputName != "sub/../in.mp3") {
      EXPECT_EQ(std::filesystem::exists(output), c.outputWritten) << c.name;
    }
  }
}

#ifndef _WIN32
TEST(Mp3ToWav, WriteErrorIsAnIoErrorOrACloseError) {
  TempFolder folder;
  // Larger than the output's buffer, so the failure shows while writing.
  const std::string input = folder.Write(
      "in.mp3", std::string("\xFF\xFB\x90\x44", 4) + std::string(256 * 1024, '\0'));
  ConvertFailure failure;
  EXPECT_FALSE(ConvertMp3ToWavFile(input, "/dev/full", &failure));
  EXPECT_EQ(failure.text, std::strerror(ENOSPC));
  EXPECT_EQ(failure.caption, "I/O Error");
  const std::string small = folder.Write("small.mp3", std::string("\xFF\xFB\x90\x44", 4));
  EXPECT_FALSE(ConvertMp3ToWavFile(small, "/dev/full", &failure));
  EXPECT_EQ(failure.text, std::strerror(ENOSPC));
  EXPECT_EQ(failure.caption, "Error Closing Output File");
}
#endif

}  // namespace
}  // namespace korvana
