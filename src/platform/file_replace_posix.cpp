#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace korvana {

FileReadResult ReadWholeFile(const std::string& path, std::string* bytes) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? FileReadResult::kMissing
                                               : FileReadResult::kUnreadable;
  }
  if (!S_ISREG(info.st_mode)) return FileReadResult::kUnreadable;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileReadResult::kUnreadable;
  bytes->clear();
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return FileReadResult::kUnreadable;
    }
    if (n == 0) break;
    bytes->append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return FileReadResult::kRead;
}

namespace {

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
  std::string target = path;
  struct stat info;
  mode_t mode = 0;
  if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return false;
    target = resolved;
  }
  if (stat(target.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) return false;
    // NOTE: root may write anything, so the permission bits are asked
    // directly: a file nobody may write is read-only, as on Windows.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(target.c_str(), W_OK) != 0)
      return false;
    mode = info.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }

  std::vector<char> temp(target.begin(), target.end());
  const char suffix[] = ".new-XXXXXX";
  temp.insert(temp.end(), suffix, suffix + sizeof suffix);
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  if (close(fd) != 0) ok = false;
  if (ok) ok = rename(temp.data(), target.c_str()) == 0;
  if (!ok) unlink(temp.data());
  return ok;
}

}  // namespace korvana
