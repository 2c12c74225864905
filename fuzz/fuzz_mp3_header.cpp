// libFuzzer target: the first bytes of an MP3 file as the WAV wrapper reads
// them, the frame walk that counts the samples, and the 70-byte header.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "convert/mp3_to_wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const korvana::Mp3FrameHeader h = korvana::ReadFrameHeader(data);
  if (h.channels != 1 && h.channels != 2) std::abort();
  if (h.sampleRateHz < 0 || h.sampleRateHz > 48000 || h.bitRateKbps < 0 || h.bitRateKbps > 448) {
    std::abort();
  }
  const uint32_t samples = korvana::CountMp3Samples(data, size);
  if (!korvana::HasFrameSync(data) && samples != 0) std::abort();
  const auto header = korvana::BuildWavHeader(h, static_cast<uint32_t>(size), samples);
  const uint32_t riffSize = header[4] | header[5] << 8 | header[6] << 16 |
                            static_cast<uint32_t>(header[7]) << 24;
  if (riffSize != size + 62) std::abort();
  return 0;
}
