#include "platform/wav_check.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace korvana {

namespace {

constexpr int64_t kRiffHeaderBytes = 12;
constexpr int64_t kChunkHeaderBytes = 8;
constexpr uint32_t kSmallestFormatBytes = 14;  // the WAVEFORMAT record
// Chunks examined before giving up: a real file has a handful.
constexpr int kMostChunks = 64;

uint32_t Little32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Little16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

class File {
 public:
  explicit File(const std::string& path) : f_(std::fopen(path.c_str(), "rb")) {}
  ~File() {
    if (f_ != nullptr) std::fclose(f_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  std::FILE* get() const { return f_; }

 private:
  std::FILE* f_;
};

// Offsets are checked against the file's length first, so they fit a long.
bool ReadAt(std::FILE* f, int64_t offset, unsigned char* buffer, size_t size) {
  return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0 &&
         std::fread(buffer, 1, size, f) == size;
}

}  // namespace

bool IsPlayableWavFile(const std::string& path) {
  File file(path);
  std::FILE* f = file.get();
  if (f == nullptr) return false;
  unsigned char header[kRiffHeaderBytes];
  if (!ReadAt(f, 0, header, sizeof header)) return false;
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) return false;
  if (std::fseek(f, 0, SEEK_END) != 0) return false;
  const int64_t fileBytes = std::ftell(f);

  bool formatFound = false;
  bool dataFound = false;
  int64_t offset = kRiffHeaderBytes;
  for (int i = 0; i < kMostChunks && offset + kChunkHeaderBytes <= fileBytes; ++i) {
    unsigned char chunk[kChunkHeaderBytes];
    if (!ReadAt(f, offset, chunk, sizeof chunk)) return false;
    const uint32_t size = Little32(chunk + 4);
    const int64_t body = offset + kChunkHeaderBytes;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size < kSmallestFormatBytes) return false;
      unsigned char format[kSmallestFormatBytes];
      if (!ReadAt(f, body, format, sizeof format)) return false;
      const uint16_t channels = Little16(format + 2);
      const uint32_t samplesPerSecond = Little32(format + 4);
      const uint16_t blockAlign = Little16(format + 12);
      if (channels == 0 || samplesPerSecond == 0 || blockAlign == 0) return false;
      formatFound = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      // A data chunk without a single byte of sound plays nothing.
      if (size == 0 || body >= fileBytes) return false;
      dataFound = true;
    }
    if (formatFound && dataFound) return true;
    // Chunks are padded to an even length.
    offset = body + static_cast<int64_t>(size) + static_cast<int64_t>(size & 1);
  }
  return false;
}

}  // namespace korvana
