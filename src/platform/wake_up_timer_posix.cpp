#include "platform/wake_up_timer.h"

namespace korvana {

namespace {

// The console front end never sleeps the computer; there is nothing to arm.
class NoWakeUpTimer final : public WakeUpTimer {
 public:
  WakeUpResult Arm(int64_t) override { return WakeUpResult::kNotSupported; }
  void Cancel() override {}
};

}  // namespace

WakeUpTimer& HostWakeUpTimer() {
  static NoWakeUpTimer timer;
  return timer;
}

}  // namespace korvana
