#include <windows.h>

#include "platform/relay_port.h"

namespace korvana {

namespace {

class Win32RelayPort final : public RelayPort {
 public:
  void Close() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

  bool Open(const std::string& devicePath) override {
    handle_ = CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                          OPEN_EXISTING, 0, nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
  }

  void SetBreak() override {
    if (handle_ != INVALID_HANDLE_VALUE) SetCommBreak(handle_);
  }

  void ClearBreak() override {
    if (handle_ != INVALID_HANDLE_VALUE) ClearCommBreak(handle_);
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

RelayPort& HostRelayPort() {
  static Win32RelayPort port;
  return port;
}

}  // namespace korvana
