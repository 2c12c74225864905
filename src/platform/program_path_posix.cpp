#include <filesystem>

#include "platform/program_path.h"

namespace korvana {

std::string ExecutablePath() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string PathBesideExecutable(const std::string& fileName) {
  return (std::filesystem::path(ExecutablePath()).parent_path() / fileName).string();
}

}  // namespace korvana
