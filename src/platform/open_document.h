#pragma once
// Hands a finished document (a report, the city list, the manual) to the
// program the system associates with its type, shown maximised. On Windows
// this is the shell's default action; elsewhere `xdg-open` when it is
// installed. Returns at once; false when no program could be started, in
// which case the file is simply left where it is.

#include <string>

namespace korvana {

bool OpenDocument(const std::string& path);

}  // namespace korvana
