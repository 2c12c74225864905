#include "convert/mp3_to_wav.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace korvana {

namespace {

// Bit rates in kbit/s by bit-rate index 1..14 (ISO/IEC 11172-3 and 13818-3).
constexpr int kMpeg1Layer1Kbps[14] = {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448};
constexpr int kMpeg1Layer2Kbps[14] = {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
constexpr int kMpeg1Layer3Kbps[14] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr int kMpeg2Layer3Kbps[14] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr int kMpeg1SampleRateHz[3] = {44100, 48000, 32000};
constexpr int kMpeg2SampleRateHz[3] = {22050, 24000, 16000};
constexpr int kMpeg25SampleRateHz[3] = {11025, 12000, 8000};

constexpr int kLayer3Bits = 1;
constexpr uint32_t kLayer3SamplesPerFrameMpeg1 = 1152;
constexpr uint32_t kLayer3SamplesPerFrameMpeg2 = 576;
constexpr uint16_t kMp3FramesPerBlock = 1;
constexpr uint16_t kMpegLayer3Id = 1;            // MPEGLAYER3_ID_MPEG
constexpr uint32_t kMpegLayer3FlagPaddingOff = 2;  // MPEGLAYER3_FLAG_PADDING_OFF
constexpr uint32_t kFormatChunkSize = 30;
constexpr uint16_t kFormatExtraSize = 12;
// The largest MP3 file whose WAV sizes fit the 32-bit fields.
constexpr uint64_t kMaxMp3Length = 0xFFFFFFFFull - (kWavHeaderSize - 8);

void PutLe16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

void PutLe32(uint8_t* at, uint32_t value) {
  PutLe16(at, value & 0xFFFFu);
  PutLe16(at + 2, value >> 16);
}

// Length in bytes of a Layer III frame, 0 when the header gives none.
uint32_t Layer3FrameLength(const Mp3FrameHeader& h) {
  if (h.bitRateKbps == 0 || h.sampleRateHz == 0) return 0;
  const uint32_t perKbps = h.versionBit == 1 ? 144000 : 72000;
  return perKbps * static_cast<uint32_t>(h.bitRateKbps) / static_cast<uint32_t>(h.sampleRateHz) +
         (h.padding ? 1 : 0);
}

std::string LowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string ErrorText(int error) { return std::strerror(error != 0 ? error : EIO); }

}  // namespace

bool HasFrameSync(const uint8_t bytes[4]) { return bytes[0] == 0xFF && bytes[1] >= 0xE0; }

int Mp3BitRateKbps(int versionBit, int layerBits, int index) {
  if (index < 1 || index > 14) return 0;
  switch (layerBits) {
    case 3: return kMpeg1Layer1Kbps[index - 1];
    case 2: return kMpeg1Layer2Kbps[index - 1];
    case 1: return versionBit == 1 ? kMpeg1Layer3Kbps[index - 1] : kMpeg2Layer3Kbps[index - 1];
    default: return 0;
  }
}

int Mp3SampleRateHz(int versionBit, bool mpeg25, int index) {
  if (index < 0 || index > 2) return 0;
  if (versionBit == 1) return kMpeg1SampleRateHz[index];
  return mpeg25 ? kMpeg25SampleRateHz[index] : kMpeg2SampleRateHz[index];
}

Mp3FrameHeader ReadFrameHeader(const uint8_t bytes[4]) {
  Mp3FrameHeader h;
  h.versionBit = (bytes[1] >> 3) & 1;
  h.mpeg25 = ((bytes[1] >> 3) & 3) == 0;
  h.layerBits = (bytes[1] >> 1) & 3;
  h.bitRateIndex = bytes[2] >> 4;
  h.sampleRateIndex = (bytes[2] >> 2) & 3;
  h.padding = ((bytes[2] >> 1) & 1) != 0;
  h.channelMode = bytes[3] >> 6;
  h.bitRateKbps = Mp3BitRateKbps(h.versionBit, h.layerBits, h.bitRateIndex);
  h.sampleRateHz = Mp3SampleRateHz(h.versionBit, h.mpeg25, h.sampleRateIndex);
  h.channels = (bytes[3] & 0xC0) == 0xC0 ? 1 : 2;
  return h;
}

uint32_t CountMp3Samples(const uint8_t* data, size_t size) {
  if (data == nullptr || size < 4 || !HasFrameSync(data)) return 0;
  const Mp3FrameHeader first = ReadFrameHeader(data);
  uint64_t frames = 0;
  if (first.layerBits == kLayer3Bits) {
    size_t at = 0;
    while (size - at >= 4 && HasFrameSync(data + at)) {
      const Mp3FrameHeader h = ReadFrameHeader(data + at);
      if (h.versionBit != first.versionBit || h.mpeg25 != first.mpeg25 ||
          h.layerBits != first.layerBits ||
          h.sampleRateIndex != first.sampleRateIndex) {
        break;
      }
      const uint32_t length = Layer3FrameLength(h);
      if (length < 4 || length > size - at) break;
      ++frames;
      at += length;
    }
  }
  uint64_t samples = 0;
  if (frames > 0) {
    samples = frames * (first.versionBit == 1 ? kLayer3SamplesPerFrameMpeg1
                                              : kLayer3SamplesPerFrameMpeg2);
  } else if (first.bitRateKbps > 0 && first.sampleRateHz > 0) {
    samples = uint64_t{size} * 8 * static_cast<uint64_t>(first.sampleRateHz) /
              (static_cast<uint64_t>(first.bitRateKbps) * 1000);
  }
  return samples > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(samples);
}

std::array<uint8_t, kWavHeaderSize> BuildWavHeader(const Mp3FrameHeader& header,
                                                   uint32_t mp3Length, uint32_t sampleCount) {
  std::array<uint8_t, kWavHeaderSize> h{};
  std::memcpy(&h[0], "RIFF", 4);
  PutLe32(&h[4], mp3Length + static_cast<uint32_t>(kWavHeaderSize - 8));
  std::memcpy(&h[8], "WAVEfmt ", 8);
  PutLe32(&h[16], kFormatChunkSize);
  PutLe16(&h[20], kMpegLayer3FormatTag);
  PutLe16(&h[22], static_cast<uint32_t>(header.channels));
  PutLe32(&h[24], static_cast<uint32_t>(header.sampleRateHz));
  PutLe32(&h[28], static_cast<uint32_t>(header.bitRateKbps) * 125);
  PutLe16(&h[32], 1);  // block align
  PutLe16(&h[34], 0);  // bits per sample
  PutLe16(&h[36], kFormatExtraSize);
  PutLe16(&h[38], kMpegLayer3Id);
  PutLe32(&h[40], kMpegLayer3FlagPaddingOff);
  PutLe16(&h[44], kMp3BlockSize);
  PutLe16(&h[46], kMp3FramesPerBlock);
  PutLe16(&h[48], kMp3CodecDelay);
  std::memcpy(&h[50], "fact", 4);
  PutLe32(&h[54], 4);
  PutLe32(&h[58], sampleCount);
  std::memcpy(&h[62], "data", 4);
  PutLe32(&h[66], mp3Length);
  return h;
}

bool SameFilePath(const std::string& input, const std::string& output) {
  if (LowerCase(input) == LowerCase(output)) return true;
  // The same file under another spelling ("./a.mp3", a link): opening the
  // output would empty the input before it is read.
  std::error_code error;
  return std::filesystem::equivalent(std::filesystem::path(input),
                                     std::filesystem::path(output), error) &&
         !error;
}

bool ConvertMp3ToWavFile(const std::string& input, const std::string& output,
                         ConvertFailure* failure) {
  auto fail = [failure](std::string text, const char* caption) {
    if (failure != nullptr) *failure = {std::move(text), caption};
    return false;
  };
  if (SameFilePath(input, output)) return fail(kSameFileText, kOpenOutputCaption);

  errno = 0;
  std::FILE* in = std::fopen(input.c_str(), "rb");
  if (in == nullptr) return fail(ErrorText(errno), kOpenInputCaption);
  std::vector<uint8_t> data;
  uint8_t chunk[65536];
  bool readError = false;
  for (;;) {
    const size_t got = std::fread(chunk, 1, sizeof chunk, in);
    data.insert(data.end(), chunk, chunk + got);
    if (data.size() > kMaxMp3Length) {
      std::fclose(in);
      return fail(ErrorText(EFBIG), kOpenInputCaption);
    }
    if (got < sizeof chunk) {
      readError = std::ferror(in) != 0;
      break;
    }
  }
  const int readErrno = errno;
  std::fclose(in);
  if (readError) {
    // Failing on the first bytes is failing to read the input at all.
    return data.size() < 4 ? fail(ErrorText(readErrno), kOpenInputCaption)
                           : fail(ErrorText(readErrno), kIoErrorCaption);
  }
  if (data.size() < 4) return fail(kTooShortText, kOpenInputCaption);
  if (!HasFrameSync(data.data())) return fail(kInvalidMp3Text, kConverterCaption);

  errno = 0;
  std::FILE* out = std::fopen(output.c_str(), "wb");
  if (out == nullptr) return fail(ErrorText(errno), kOpenOutputCaption);
  const auto length = static_cast<uint32_t>(data.size());
  const std::array<uint8_t, kWavHeaderSize> header =
      BuildWavHeader(ReadFrameHeader(data.data()), length, CountMp3Samples(data.data(), data.size()));
  errno = 0;
  if (std::fwrite(header.data(), 1, header.size(), out) != header.size() ||
      std::fwrite(data.data(), 1, data.size(), out) != data.size()) {
    const int writeErrno = errno;
    std::fclose(out);
    return fail(ErrorText(writeErrno), kIoErrorCaption);
  }
  errno = 0;
  if (std::fclose(out) != 0) return fail(ErrorText(errno), kCloseOutputCaption);
  return true;
}

}  // namespace korvana
