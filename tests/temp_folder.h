#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace korvana::testing {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("korvana-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The full path of `name` inside the folder.
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

  // Writes `bytes` exactly (no line-end translation) and returns the path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string file = File(name);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    return file;
  }

 private:
  std::filesystem::path path_;
};

// The whole file as bytes ("" when it cannot be read).
inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace korvana::testing
