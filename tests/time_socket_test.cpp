// The time socket of this platform against real peers on loopback: the time
// service of an inetd started by tests/net/run_time_server_tests.sh, and
// scripted servers for what a real one will not do.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "nettime/clock_correction.h"
#include "nettime/time_socket.h"
#include "nettime_fakes.h"
#include "udp_peer.h"

namespace korvana {
namespace {

using testing::ReadOnlyHostClock;
using testing::RecordingUi;
using testing::TimeAnswer;
using testing::UdpPeer;

// The server and this test read the same host clock; the answer and the
// reading after it may straddle one second boundary.
constexpr int64_t kSameClockToleranceSeconds = 1;
// How long a scripted server waits for the request before giving up.
constexpr int kRequestWaitMs = 5000;

constexpr uint32_t kLoopback = 0x7F000001u;  // 127.0.0.1
constexpr uint32_t kNewYear2024Value = 3913056000u;
constexpr int64_t kNewYear2024 = 1704067200;
constexpr uint32_t kWrongValue = 3913056000u + 86400u;  // a day later: never to be taken

uint32_t LoopbackHost(int last) { return 0x7F000000u | static_cast<uint32_t>(last); }

TimeServerSettings Hosts(const std::vector<std::string>& values, int timeoutMs) {
  TimeServerSettings s;
  s.hostTimeoutMs = timeoutMs;
  for (size_t i = 0; i < values.size(); ++i) {
    const int index = static_cast<int>(i);
    s.hosts.push_back({index, HostKeyText(index), values[i]});
  }
  return s;
}

// A server on one loopback address that runs `script` with the request's
// sender once a request arrives.
class ScriptedServer {
 public:
  using Script = std::function<void(UdpPeer& self, uint32_t client, uint16_t clientPort)>;

  ScriptedServer(uint32_t address, uint16_t port, Script script)
      : peer_(address, port), script_(std::move(script)) {}
  ~ScriptedServer() { Join(); }

  bool bound() const { return peer_.bound(); }
  uint16_t port() const { return peer_.port(); }

  void Start() {
    thread_ = std::thread([this] {
      std::vector<uint8_t> request;
      uint32_t client = 0;
      uint16_t clientPort = 0;
      if (!peer_.Receive(kRequestWaitMs, &request, &client, &clientPort)) return;
      requests_ = static_cast<int>(request.size());
      script_(peer_, client, clientPort);
    });
  }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  int requestLength() const { return requests_; }

 private:
  UdpPeer peer_;
  Script script_;
  std::thread thread_;
  std::atomic<int> requests_{-1};
};

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

ScriptedServer::Script AnswerAfter(int delayMs, std::vector<uint8_t> bytes) {
  return [delayMs, bytes](UdpPeer& self, uint32_t client, uint16_t clientPort) {
    Sleep(delayMs);
    self.Send(client, clientPort, bytes);
  };
}

struct CorrectionRun {
  CorrectionOutcome outcome;
  RecordingUi ui;
};

void Correct(const TimeServerSettings& settings, uint16_t port, CorrectionRun* run) {
  const std::unique_ptr<TimeTransport> socket = CreateTimeSocket(port);
  testing::FakeClock clock(kNewYear2024 * 1000, 100);
  run->outcome = RunClockCorrection(settings, *socket, clock, &run->ui, /*silent=*/false);
}

int RealServerPort() {
  const char* text = std::getenv("KORVANA_TIME_SERVER_PORT");
  return text != nullptr ? std::atoi(text) : 0;
}

TEST(TimeSocket, RealTimeServerOnLoopback) {
  const int port = RealServerPort();
  if (port <= 0) {
    GTEST_SKIP() << "no RFC 868 server: tests/net/run_time_server_tests.sh starts one on "
                    "loopback and sets KORVANA_TIME_SERVER_PORT";
  }
  for (const char* host : {"127.0.0.1", "localhost"}) {
    const std::unique_ptr<TimeTransport> socket = CreateTimeSocket(static_cast<uint16_t>(port));
    ReadOnlyHostClock clock;
    RecordingUi ui(/*answerYes=*/true);
    const CorrectionOutcome o =
        RunClockCorrection(Hosts({"", host}, 2000), *socket, clock, &ui, /*silent=*/false);
    ASSERT_EQ(o.result, CorrectionResult::kAnswered) << host;
    EXPECT_EQ(o.caption, "Host Address : 127.0.0.1") << host;
    EXPECT_LE(o.driftSeconds, kSameClockToleranceSeconds) << host;
    EXPECT_GE(o.driftSeconds, -kSameClockToleranceSeconds) << host;
    // A drift within the tolerance is still corrected when the user agrees;
    // the fake only records it.
    EXPECT_EQ(clock.setTo.size(), o.driftSeconds != 0 ? 1u : 0u) << host;
    EXPECT_EQ(o.text.substr(0, 12), "Net Time :  ") << host;
  }
}

TEST(TimeSocket, ForeignSenderAnsweringFirstIsIgnored) {
  UdpPeer foreign(LoopbackHost(2), 0);
  ScriptedServer server(kLoopback, 0, [&](UdpPeer& self, uint32_t client, uint16_t clientPort) {
    foreign.Send(client, clientPort, TimeAnswer(kWrongValue));
    Sleep(50);
    self.Send(client, clientPort, TimeAnswer(kNewYear2024Value));
  });
  ASSERT_TRUE(server.bound() && foreign.bound());
  server.Start();
  CorrectionRun run;
  Correct(Hosts({"127.0.0.1"}, 3000), server.port(), &run);
  server.Join();
  ASSERT_EQ(run.outcome.result, CorrectionResult::kAnswered);
  EXPECT_EQ(run.outcome.netSeconds, kNewYear2024);
  EXPECT_EQ(server.requestLength(), 1);
}

TEST(TimeSocket, AnswerAfterTheWaitIsDiscarded) {
  // Host0 answers only after its wait has ended; the late answer reaches the
  // client while it waits for Host1 and must not be taken for Host1's.
  ScriptedServer slow(LoopbackHost(3), 0, AnswerAfter(900, TimeAnswer(kWrongValue)));
  ASSERT_TRUE(slow.bound());
  ScriptedServer next(kLoopback, slow.port(), AnswerAfter(500, TimeAnswer(kNewYear2024Value)));
  ASSERT_TRUE(next.bound());
  slow.Start();
  next.Start();
  CorrectionRun run;
  Correct(Hosts({"127.0.0.3", "127.0.0.1"}, 600), slow.port(), &run);
  slow.Join();
  next.Join();
  ASSERT_EQ(run.outcome.result, CorrectionResult::kAnswered);
  EXPECT_EQ(run.outcome.host.index, 1);
  EXPECT_EQ(run.outcome.netSeconds, kNewYear2024);
}

TEST(TimeSocket, ShortAnswerCountsAsNoAnswer) {
  ScriptedServer shortAnswer(LoopbackHost(4), 0, AnswerAfter(0, {0xE9, 0x3C, 0x7F}));
  ASSERT_TRUE(shortAnswer.bound());
  ScriptedServer next(kLoopback, shortAnswer.port(), AnswerAfter(0, TimeAnswer(kNewYear2024Value)));
  ASSERT_TRUE(next.bound());
  shortAnswer.Start();
  next.Start();
  CorrectionRun run;
  Correct(Hosts({"127.0.0.4", "127.0.0.1"}, 2000), shortAnswer.port(), &run);
  shortAnswer.Join();
  next.Join();
  ASSERT_EQ(run.outcome.result, CorrectionResult::kAnswered);
  EXPECT_EQ(run.outcome.host.index, 1);
  EXPECT_EQ(run.outcome.netSeconds, kNewYear2024);
}

TEST(TimeSocket, ValueBefore1970IsTakenAs1970) {
  ScriptedServer server(kLoopback, 0, AnswerAfter(0, TimeAnswer(1000000000u)));
  ASSERT_TRUE(server.bound());
  server.Start();
  CorrectionRun run;
  Correct(Hosts({"127.0.0.1"}, 2000), server.port(), &run);
  server.Join();
  ASSERT_EQ(run.outcome.result, CorrectionResult::kAnswered);
  EXPECT_EQ(run.outcome.netSeconds, 0);
  EXPECT_EQ(run.outcome.text.substr(0, 36), "Net Time :  01/01/1970     00:00:00\n");
}

TEST(TimeSocket, FloodOfForeignDatagramsBeforeTheAnswer) {
  constexpr int kFloodDatagrams = 3000;
  UdpPeer flooder(LoopbackHost(5), 0);
  ScriptedServer server(kLoopback, 0, [&](UdpPeer& self, uint32_t client, uint16_t clientPort) {
    for (int i = 0; i < kFloodDatagrams; ++i) {
      flooder.Send(client, clientPort, TimeAnswer(kWrongValue + static_cast<uint32_t>(i)));
    }
    self.Send(client, clientPort, TimeAnswer(kNewYear2024Value));
  });
  ASSERT_TRUE(server.bound() && flooder.bound());
  server.Start();
  CorrectionRun run;
  Correct(Hosts({"127.0.0.1"}, 10000), server.port(), &run);
  server.Join();
  ASSERT_EQ(run.outcome.result, CorrectionResult::kAnswered);
  EXPECT_EQ(run.outcome.netSeconds, kNewYear2024);
}

TEST(TimeSocket, EndlessFloodCannotHoldTheWaitOpen) {
  std::atomic<bool> done{false};
  UdpPeer flooder(LoopbackHost(5), 0);
  ScriptedServer server(kLoopback, 0, [&](UdpPeer&, uint32_t client, uint16_t clientPort) {
    for (uint32_t i = 0; !done; ++i) flooder.Send(client, clientPort, TimeAnswer(kWrongValue + i));
  });
  ASSERT_TRUE(server.bound() && flooder.bound());
  server.Start();
  CorrectionRun run;
  Correct(Hosts({"127.0.0.1"}, 500), server.port(), &run);
  done = true;
  server.Join();
  EXPECT_EQ(run.outcome.result, CorrectionResult::kNoResponse);
  EXPECT_EQ(run.ui.calls.back(), "hide");
}

TEST(TimeSocket, NoWaitMeansEveryHostIsSilent) {
  ScriptedServer server(kLoopback, 0, AnswerAfter(200, TimeAnswer(kNewYear2024Value)));
  ASSERT_TRUE(server.bound());
  server.Start();
  CorrectionRun run;
  Correct(Hosts({"127.0.0.1"}, 0), server.port(), &run);
  server.Join();
  EXPECT_EQ(run.outcome.result, CorrectionResult::kNoResponse);
  EXPECT_EQ(server.requestLength(), 1);
}

}  // namespace
}  // namespace korvana
