#include <windows.h>

#include "platform/program_path.h"

namespace korvana {

std::string ExecutablePath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return std::string();
  return std::string(path, length);
}

std::string PathBesideExecutable(const std::string& fileName) {
  const std::string exe = ExecutablePath();
  const size_t slash = exe.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : exe.substr(0, slash + 1)) + fileName;
}

}  // namespace korvana
