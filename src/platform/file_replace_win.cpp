#include "platform/file_replace.h"

#include <windows.h>

#include <vector>

namespace korvana {

FileReadResult ReadWholeFile(const std::string& path, std::string* bytes) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
               ? FileReadResult::kMissing
               : FileReadResult::kUnreadable;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileReadResult::kUnreadable;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileReadResult::kUnreadable;
  bytes->clear();
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      CloseHandle(file);
      return FileReadResult::kUnreadable;
    }
    if (got == 0) break;
    bytes->append(buffer, got);
  }
  CloseHandle(file);
  return FileReadResult::kRead;
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return false;
  const DWORD attributes = GetFileAttributesA(full);
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;

  const std::string temp = std::string(full) + ".new";
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() ||
            (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size());
  if (ok) ok = FlushFileBuffers(file) != 0;
  CloseHandle(file);
  if (ok) ok = MoveFileExA(temp.c_str(), full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

}  // namespace korvana
