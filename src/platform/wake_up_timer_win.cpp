#include <windows.h>

#include "platform/wake_up_timer.h"

namespace korvana {

namespace {

using CreateWaitableTimerFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR);
using SetWaitableTimerFn = BOOL(WINAPI*)(HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE,
                                         LPVOID, BOOL);
using CancelWaitableTimerFn = BOOL(WINAPI*)(HANDLE);

template <typename Fn>
Fn LookUp(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The timer functions are looked up by name: older systems lack them, and the
// program then runs without the wake-up feature.
class Win32WakeUpTimer final : public WakeUpTimer {
 public:
  Win32WakeUpTimer() {
    HMODULE kernel = GetModuleHandleA("kernel32");
    auto create = LookUp<CreateWaitableTimerFn>(kernel, "CreateWaitableTimerA");
    set_ = LookUp<SetWaitableTimerFn>(kernel, "SetWaitableTimer");
    cancel_ = LookUp<CancelWaitableTimerFn>(kernel, "CancelWaitableTimer");
    if (create != nullptr && set_ != nullptr && cancel_ != nullptr) {
      timer_ = create(nullptr, FALSE, nullptr);  // automatic reset, no name
    }
  }

  WakeUpResult Arm(int64_t localFileTime) override {
    if (timer_ == nullptr) return WakeUpResult::kNotSupported;
    FILETIME local;
    local.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(localFileTime) & 0xFFFFFFFFu);
    local.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(localFileTime) >> 32);
    FILETIME universal;
    if (!LocalFileTimeToFileTime(&local, &universal)) return WakeUpResult::kFailed;
    LARGE_INTEGER due;
    due.LowPart = universal.dwLowDateTime;
    due.HighPart = static_cast<LONG>(universal.dwHighDateTime);
    SetLastError(0);
    const BOOL set = set_(timer_, &due, 0, nullptr, nullptr, TRUE);
    // The timer may be set and still report that resuming is not supported.
    if (GetLastError() == ERROR_NOT_SUPPORTED) return WakeUpResult::kNotSupported;
    return set ? WakeUpResult::kArmed : WakeUpResult::kFailed;
  }

  void Cancel() override {
    if (timer_ != nullptr) cancel_(timer_);
  }

 private:
  HANDLE timer_ = nullptr;
  SetWaitableTimerFn set_ = nullptr;
  CancelWaitableTimerFn cancel_ = nullptr;
};

}  // namespace

WakeUpTimer& HostWakeUpTimer() {
  static Win32WakeUpTimer timer;
  return timer;
}

}  // namespace korvana
