#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/open_document.h"

namespace korvana {
namespace {

// The full path of `name` along $PATH, or "" when it is not there.
std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::string();
  std::string folders = path;
  size_t start = 0;
  while (start <= folders.size()) {
    size_t stop = folders.find(':', start);
    if (stop == std::string::npos) stop = folders.size();
    const std::string folder = stop > start ? folders.substr(start, stop - start) : ".";
    const std::string candidate = folder + "/" + name;
    struct stat info;
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = stop + 1;
  }
  return std::string();
}

}  // namespace

bool OpenDocument(const std::string& path) {
  const std::string opener = FindProgram("xdg-open");
  if (opener.empty()) return false;
  // Twice forked, so that the viewer is nobody's child here and the caller
  // never waits for it.
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    if (fork() == 0) {
      const int null = open("/dev/null", O_RDWR);
      if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
      }
      execl(opener.c_str(), "xdg-open", path.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace korvana
