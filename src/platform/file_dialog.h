#pragma once
// The standard open-file dialog.

#include <string>
#include <vector>

namespace korvana {

struct FileFilter {
  std::string name;     // e.g. "WAV Files"
  std::string pattern;  // e.g. "*.wav"
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Shows the dialog owned by the main window, the first filter selected,
  // the name field starting with `initialName`. True, with the chosen full
  // path, when the user confirms; false when cancelled.
  virtual bool ChooseFileToOpen(const std::string& title, const std::vector<FileFilter>& filters,
                                const std::string& initialName, std::string* chosenPath) = 0;
};

}  // namespace korvana
