#include "convert/mp3_to_wav_win.h"

#include <commdlg.h>

#include <cstdlib>
#include <string>

#include "convert/mp3_to_wav.h"

namespace korvana::win {

namespace {

constexpr size_t kPathBufferBytes = 512;
constexpr char kOpenTitle[] = "Select MP3 file to be converted";
constexpr char kOpenFilter[] = "MP3 files\0*.mp3\0";
constexpr char kSaveTitle[] = "WAV file";
constexpr char kSaveFilter[] = "WAV files\0*.wav\0";

void Warn(const std::string& text, const char* caption) {
  MessageBoxA(nullptr, text.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
}

bool ChooseInput(HWND owner, std::string* input) {
  char path[kPathBufferBytes] = "";
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kOpenFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrTitle = kOpenTitle;
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return false;
  *input = path;
  return true;
}

// The save dialog starts in the input's folder with the input's name and
// the extension "wav".
bool ChooseOutput(HWND owner, const std::string& input, std::string* output) {
  char drive[_MAX_DRIVE], folder[_MAX_DIR], name[_MAX_FNAME], extension[_MAX_EXT];
  _splitpath(input.c_str(), drive, folder, name, extension);
  std::string initialFolder = std::string(drive) + folder;
  if (!initialFolder.empty() && (initialFolder.back() == '\\' || initialFolder.back() == '/')) {
    initialFolder.pop_back();
  }
  char path[kPathBufferBytes] = "";
  _makepath(path, nullptr, nullptr, name, "wav");
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kSaveFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrInitialDir = initialFolder.c_str();
  dialog.lpstrTitle = kSaveTitle;
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&dialog)) return false;
  *output = path;
  return true;
}

}  // namespace

void RunMp3ToWavConverter(HWND owner) {
  std::string input;
  if (!ChooseInput(owner, &input)) return;
  std::string output;
  for (;;) {
    if (!ChooseOutput(owner, input, &output)) return;
    if (!SameFilePath(input, output)) break;
    Warn(kSameFileText, kOpenOutputCaption);
  }
  ConvertFailure failure;
  if (!ConvertMp3ToWavFile(input, output, &failure)) Warn(failure.text, failure.caption.c_str());
}

}  // namespace korvana::win
