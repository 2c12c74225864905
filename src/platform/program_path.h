#pragma once
// Where the running program lives: files it finds by name (the INI file, the
// city list, reports) sit beside it.

#include <string>

namespace korvana {

// The running executable's full path ("" when the system cannot tell).
std::string ExecutablePath();

// The full path of `fileName` in the executable's folder.
std::string PathBesideExecutable(const std::string& fileName);

}  // namespace korvana
