// libFuzzer target: the datagrams a time client may receive. The input is a
// script of datagrams (sender, bytes) that a fake socket delivers with the
// client's own acceptance rule, run through a whole clock correction with a
// fake clock; also the answer reader and the host-text rules on raw bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "nettime/clock_correction.h"
#include "nettime/time_protocol.h"
#include "nettime_fakes.h"

namespace {

using korvana::Ipv4Address;

struct Datagram {
  Ipv4Address sender;
  std::vector<uint8_t> bytes;
};

class ScriptTransport final : public korvana::TimeTransport {
 public:
  explicit ScriptTransport(std::deque<Datagram> queue) : queue_(std::move(queue)) {}
  bool Open(int) override { return true; }
  bool Alive() override { return true; }
  Ipv4Address Resolve(const std::string& host) override {
    return korvana::ResolveHost(host, nullptr);
  }
  bool Send(Ipv4Address destination, uint8_t) override {
    destination_ = destination;
    return true;
  }
  size_t Receive(uint8_t* buffer, size_t size) override {
    while (!queue_.empty()) {
      Datagram d = std::move(queue_.front());
      queue_.pop_front();
      if (!korvana::AcceptsSender(destination_, d.sender)) continue;
      const size_t n = d.bytes.size() < size ? d.bytes.size() : size;
      if (n > 0) std::memcpy(buffer, d.bytes.data(), n);
      return n;
    }
    return 0;
  }

 private:
  std::deque<Datagram> queue_;
  Ipv4Address destination_ = korvana::kNoAddress;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The whole input as one answer and as a host text.
  int64_t seconds = -1;
  if (korvana::ReadTimeAnswer(data, size, &seconds) != (size >= 4)) std::abort();
  if (size >= 4 && (seconds < 0 || seconds > 0x7FFFFFFF)) std::abort();
  const std::string text(reinterpret_cast<const char*>(data), size);
  korvana::Ipv4Address address = 0;
  if (korvana::ParseDottedAddress(text, &address) && korvana::DottedAddress(address) != text) {
    std::abort();  // a dotted address is read back exactly as written
  }

  // A script: 8 bytes of PC clock, then datagrams of [sender octet][length][bytes].
  if (size < 8) return 0;
  int64_t startMs = 0;
  std::memcpy(&startMs, data, 8);
  startMs %= int64_t{1} << 45;  // about a thousand years either side of 1970
  std::deque<Datagram> queue;
  for (size_t at = 8; at + 2 <= size;) {
    Datagram d;
    d.sender = 0x0A000000u | data[at];  // 10.0.0.<octet>
    const size_t length = data[at + 1];
    at += 2;
    const size_t take = length < size - at ? length : size - at;
    d.bytes.assign(data + at, data + at + take);
    at += take;
    queue.push_back(std::move(d));
  }
  korvana::TimeServerSettings settings;
  for (int i = 0; i < 3; ++i) {
    settings.hosts.push_back({i, korvana::HostKeyText(i), "10.0.0." + std::to_string(i + 1)});
  }
  ScriptTransport transport(std::move(queue));
  korvana::testing::FakeClock clock(startMs, 337);
  korvana::testing::RecordingUi ui(/*answerYes=*/true);
  const korvana::CorrectionOutcome o =
      korvana::RunClockCorrection(settings, transport, clock, &ui, /*silent=*/false);
  if (o.result == korvana::CorrectionResult::kAnswered) {
    if (o.netSeconds < 0 || o.driftSeconds != o.pcSeconds - o.netSeconds) std::abort();
    if (o.text.rfind("Net Time :  ", 0) != 0) std::abort();
    if ((o.driftSeconds != 0) != (clock.setTo.size() == 1)) std::abort();
  } else if (!clock.setTo.empty()) {
    std::abort();
  }
  return 0;
}
