// Wrapping an MP3 file into a WAV file: a 5-minute 128 kbit/s stream (about
// 4.8 MB, the size of a long adhan recording), in memory and through files.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "convert/mp3_to_wav.h"

namespace {

constexpr int kFrames = 11486;  // 5 minutes of 1152-sample frames at 44100 Hz

// Frames of 417 or 418 bytes (padding as a 128 kbit/s encoder sets it).
std::vector<uint8_t> CbrStream() {
  std::vector<uint8_t> data;
  long long owed = 0;
  for (int i = 0; i < kFrames; ++i) {
    owed += 144000LL * 128 % 44100;
    const bool padding = owed >= 44100;
    if (padding) owed -= 44100;
    const uint8_t frame[4] = {0xFF, 0xFB, static_cast<uint8_t>(0x90 | (padding ? 2 : 0)), 0x64};
    data.insert(data.end(), frame, frame + 4);
    data.resize(data.size() + (padding ? 418 : 417) - 4, 0x55);
  }
  return data;
}

void BM_CountSamples(benchmark::State& state) {
  const std::vector<uint8_t> data = CbrStream();
  for (auto _ : state) benchmark::DoNotOptimize(korvana::CountMp3Samples(data.data(), data.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(data.size()));
}
BENCHMARK(BM_CountSamples);

void BM_ConvertFile(benchmark::State& state) {
  const std::vector<uint8_t> data = CbrStream();
  const auto folder = std::filesystem::temp_directory_path() / "korvana-bench-mp3";
  std::filesystem::create_directories(folder);
  const std::string input = (folder / "in.mp3").string();
  const std::string output = (folder / "out.wav").string();
  std::FILE* f = std::fopen(input.c_str(), "wb");
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
  korvana::ConvertFailure failure;
  for (auto _ : state) {
    if (!korvana::ConvertMp3ToWavFile(input, output, &failure)) state.SkipWithError("failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(data.size()));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ConvertFile)->Unit(benchmark::kMillisecond);

}  // namespace
