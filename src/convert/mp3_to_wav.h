#pragma once
// MP3 files wrapped into WAV containers: a 70-byte RIFF/WAVE header that
// declares the MPEG Layer-3 wave format (format tag 85), with rates and
// channels from the first frame header, followed by the MP3 file unchanged.
// Nothing is decoded; playback relies on the system's MPEG Layer-3 codec.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvana {

inline constexpr size_t kWavHeaderSize = 70;
inline constexpr uint16_t kMpegLayer3FormatTag = 85;
inline constexpr uint16_t kMp3BlockSize = 96;    // nBlockSize of the wave-format record
inline constexpr uint16_t kMp3CodecDelay = 1393;  // nCodecDelay, in samples

// The fields of an MPEG audio frame header that the WAV header needs.
struct Mp3FrameHeader {
  int versionBit = 0;    // b1 bit 3: 1 MPEG-1, 0 MPEG-2 (or 2.5)
  bool mpeg25 = false;   // b1 bits 4-3 both clear: the MPEG-2.5 extension
  int layerBits = 0;     // b1 bits 2-1: 1 Layer III, 2 Layer II, 3 Layer I, 0 reserved
  int bitRateIndex = 0;  // b2 bits 7-4
  int sampleRateIndex = 0;  // b2 bits 3-2
  bool padding = false;     // b2 bit 1
  int channelMode = 0;      // b3 bits 7-6; 3 = single channel
  int bitRateKbps = 0;      // from the tables; 0 for free format and invalid indexes
  int sampleRateHz = 0;     // from the tables; 0 for the reserved index
  int channels = 2;         // 1 for single channel, else 2
};

// Whether the four bytes start with the eleven frame-sync bits
// (b0 = 0xFF, b1 >= 0xE0).
bool HasFrameSync(const uint8_t bytes[4]);
// The frame header's fields; the sync bits are not checked here.
Mp3FrameHeader ReadFrameHeader(const uint8_t bytes[4]);
// Bit rate in kbit/s by version bit, layer bits and index 0..15 (0 when
// undefined: index 0 free format, 15, or the reserved layer).
int Mp3BitRateKbps(int versionBit, int layerBits, int index);
// Sampling rate in Hz by version bit and index 0..3 (index 3 gives 0). The
// MPEG-2.5 extension halves the MPEG-2 rates; taking it for MPEG-2 would
// declare twice the rate its frames are coded at.
int Mp3SampleRateHz(int versionBit, bool mpeg25, int index);

// Samples per channel in the stream: the frames from the start of `data`
// that follow each other with the first frame's version and layer, times the
// samples a frame holds; trailing bytes that are no frame (tags) are not
// counted. When no frame can be walked (free format), an estimate from the
// length and the first frame's bit rate, or 0.
uint32_t CountMp3Samples(const uint8_t* data, size_t size);

// The 70-byte header for an MP3 stream of `mp3Length` bytes holding
// `sampleCount` samples per channel.
std::array<uint8_t, kWavHeaderSize> BuildWavHeader(const Mp3FrameHeader& header,
                                                   uint32_t mp3Length, uint32_t sampleCount);

// Why a conversion stopped: the message text and its caption.
struct ConvertFailure {
  std::string text;
  std::string caption;
};

// Whether `input` and `output` name the same file: the same text without
// regard to letter case, or the same existing file by another spelling.
bool SameFilePath(const std::string& input, const std::string& output);

// Converts the MP3 file `input` into the WAV file `output`. On failure
// returns false with the text and caption to show.
bool ConvertMp3ToWavFile(const std::string& input, const std::string& output,
                         ConvertFailure* failure);

// Message texts and captions of the converter.
inline constexpr char kSameFileText[] = "INPUT & OUTPUT files must be different...";
inline constexpr char kInvalidMp3Text[] = "Invalid MP3 format";
inline constexpr char kTooShortText[] = "The file is too short to be an MP3 file";
inline constexpr char kOpenInputCaption[] = "Error Opening Input File";
inline constexpr char kOpenOutputCaption[] = "Error Opening Output File";
inline constexpr char kConverterCaption[] = "MP3toWAV";
inline constexpr char kIoErrorCaption[] = "I/O Error";
inline constexpr char kCloseOutputCaption[] = "Error Closing Output File";

}  // namespace korvana
