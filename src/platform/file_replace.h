#pragma once
// Whole-file reads and all-or-nothing replacement of a file's contents.

#include <string>

namespace korvana {

enum class FileReadResult { kRead, kMissing, kUnreadable };

// Reads the whole file as bytes. kMissing when nothing exists at `path`;
// kUnreadable when something exists but cannot be read (a folder, no access).
FileReadResult ReadWholeFile(const std::string& path, std::string* bytes);

// Gives the file at `path` exactly `bytes`, or leaves it as it was: the bytes
// go to a new file beside it, which then takes its place. Fails (returning
// false, nothing changed) when the file is read-only, when its folder is
// missing or not writable, or when the disk refuses the bytes. A file that
// is replaced keeps its permissions; a link is followed to its target.
bool ReplaceFileContents(const std::string& path, const std::string& bytes);

}  // namespace korvana
