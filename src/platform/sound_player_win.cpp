#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include "platform/sound_player.h"
#include "platform/wav_check.h"

namespace korvana {

namespace {

constexpr BYTE kMediaStopKey = 0xB2;  // VK_MEDIA_STOP

class Win32SoundPlayer final : public SoundPlayer {
 public:
  bool PlayWav(const std::string& path) override {
    // sndPlaySound starts a damaged file without complaint and plays
    // nothing; the header is looked at first so that the failure is seen.
    if (!IsPlayableWavFile(path)) return false;
    return sndPlaySoundA(path.c_str(), SND_ASYNC | SND_NODEFAULT) != FALSE;
  }

  void StopWav() override { sndPlaySoundA(nullptr, 0); }

  bool OpenWithAssociatedProgram(const std::string& path) override {
    const HINSTANCE result =
        ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
  }

  void PressMediaStopKey() override { keybd_event(kMediaStopKey, 0, 0, 0); }
};

}  // namespace

SoundPlayer& HostSoundPlayer() {
  static Win32SoundPlayer player;
  return player;
}

}  // namespace korvana
