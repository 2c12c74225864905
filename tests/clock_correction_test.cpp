#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "nettime/clock_correction.h"
#include "nettime_fakes.h"

namespace korvana {
namespace {

using testing::FakeClock;
using testing::RecordingUi;

constexpr int64_t kNewYear2024 = 1704067200;  // 2024-01-01 00:00:00 UTC
constexpr uint8_t kNewYear2024Answer[4] = {0xE9, 0x3C, 0x7F, 0x00};  // 3913056000

// A scripted network: names resolve from a table, each address answers with
// the bytes given for it (nothing when absent).
class FakeTransport final : public TimeTransport {
 public:
  bool Open(int waitMs) override {
    openedWithMs = waitMs;
    return openOk;
  }
  bool Alive() override { return aliveChecks-- != 0; }
  Ipv4Address Resolve(const std::string& host) override {
    const auto found = names.find(host);
    return found != names.end() ? found->second : kNoAddress;
  }
  bool Send(Ipv4Address destination, uint8_t request) override {
    sent.push_back(destination);
    requests.push_back(request);
    last_ = destination;
    return sendFails.count(destination) == 0;
  }
  size_t Receive(uint8_t* buffer, size_t size) override {
    const auto found = answers.find(last_);
    if (found == answers.end()) return 0;
    const size_t n = std::min(size, found->second.size());
    std::memcpy(buffer, found->second.data(), n);
    return n;
  }

  bool openOk = true;
  int openedWithMs = -1;
  int aliveChecks = -1;  // the window goes away after this many checks (-1: never)
  std::map<std::string, Ipv4Address> names;
  std::map<Ipv4Address, std::vector<uint8_t>> answers;
  std::map<Ipv4Address, bool> sendFails;
  std::vector<Ipv4Address> sent;
  std::vector<uint8_t> requests;

 private:
  Ipv4Address last_ = kNoAddress;
};

constexpr Ipv4Address kServerA = 0x0A000001u;  // 10.0.0.1
constexpr Ipv4Address kServerB = 0x0A000002u;  // 10.0.0.2

TimeServerSettings Hosts(std::vector<std::pair<int, std::string>> hosts, int timeoutMs = 2000) {
  TimeServerSettings s;
  s.hostTimeoutMs = timeoutMs;
  for (auto& [index, value] : hosts) s.hosts.push_back({index, HostKeyText(index), value});
  return s;
}

FakeTransport TwoServers() {
  FakeTransport t;
  t.names = {{"a.example", kServerA}, {"b.example", kServerB}};
  t.answers[kServerB] = {kNewYear2024Answer, kNewYear2024Answer + 4};
  return t;
}

TEST(ClockCorrection, FirstHostKeyWithAValueIsAskedFirst) {
  FakeTransport t = TwoServers();
  FakeClock clock(kNewYear2024 * 1000, 100);
  RecordingUi ui;
  // Host0 is empty in the file, so the settings begin with Host1.
  const CorrectionOutcome o = RunClockCorrection(Hosts({{1, "b.example"}}), t, clock, &ui, false);
  ASSERT_EQ(o.result, CorrectionResult::kAnswered);
  ASSERT_EQ(t.sent.size(), 1u);
  EXPECT_EQ(t.sent[0], kServerB);
  EXPECT_EQ(t.requests[0], 'H');
  EXPECT_EQ(o.host.key, "Host1");
  EXPECT_EQ(o.netSeconds, kNewYear2024);
}

struct DriftCase {
  const char* name;
  int64_t pcStartMs;     // the fake PC clock when the correction starts
  bool silent, answerYes;
  int64_t drift;         // D expected
  bool clockSet;
  std::vector<std::string> calls;  // UI calls expected
  std::string text;
};

TEST(ClockCorrection, DriftIsShownAndCorrectedAtTheNextSecond) {
  const std::string report5 =
      "Net Time :  01/01/2024     00:00:00\nPC  Time :  01/01/2024     00:00:05\n";
  const std::string reportMinus5 =
      "Net Time :  01/01/2024     00:00:00\nPC  Time :  31/12/2023     23:59:55\n";
  const DriftCase cases[] = {
      {"pc_5_s_fast_user_says_yes", (kNewYear2024 + 5) * 1000 + 400, false, true, 5, true,
       {"progress", "host a.example", "ask", "hide"},
       report5 + "\nYour PC's clock has  5 seconds drift !\nDo you want to fix it ?\n"},
      {"pc_5_s_slow_user_says_yes", (kNewYear2024 - 5) * 1000 + 400, false, true, -5, true,
       {"progress", "host a.example", "ask", "hide"},
       reportMinus5 + "\nYour PC's clock has  -5 seconds drift !\nDo you want to fix it ?\n"},
      {"user_says_no", (kNewYear2024 + 5) * 1000 + 400, false, false, 5, false,
       {"progress", "host a.example", "ask", "hide"},
       report5 + "\nYour PC's clock has  5 seconds drift !\nDo you want to fix it ?\n"},
      {"clocks_agree", kNewYear2024 * 1000 + 400, false, true, 0, false,
       {"progress", "host a.example", "no-correction", "hide"},
       "Net Time :  01/01/2024     00:00:00\nPC  Time :  01/01/2024     00:00:00\n"
       "\nYour PC's clock needs no correction...\n"},
      {"silent_corrects_without_asking", (kNewYear2024 + 5) * 1000 + 400, true, false, 5, true,
       {}, report5 + "\nYour PC's clock has  5 seconds drift !\nDo you want to fix it ?\n"},
  };
  for (const DriftCase& c : cases) {
    FakeTransport t;
    t.names = {{"a.example", kServerA}};
    t.answers[kServerA] = {kNewYear2024Answer, kNewYear2024Answer + 4};
    FakeClock clock(c.pcStartMs, 250);
    RecordingUi ui(c.answerYes);
    const CorrectionOutcome o =
        RunClockCorrection(Hosts({{0, "a.example"}}), t, clock, &ui, c.silent);
    ASSERT_EQ(o.result, CorrectionResult::kAnswered) << c.name;
    EXPECT_EQ(o.driftSeconds, c.drift) << c.name;
    EXPECT_EQ(o.text, c.text) << c.name;
    EXPECT_EQ(o.caption, "Host Address : 10.0.0.1") << c.name;
    EXPECT_EQ(ui.calls, c.calls) << c.name;
    if (!c.silent) {
      EXPECT_EQ(ui.lastText, c.text) << c.name;
    }
    ASSERT_EQ(clock.setTo.size(), c.clockSet ? 1u : 0u) << c.name;
    if (c.clockSet) {
      // Set at the first reading of a new second T, to T - D.
      const int64_t at = clock.setAtMs[0];
      EXPECT_LT(at % 1000, 250) << c.name << ": set " << at % 1000 << " ms into a second";
      EXPECT_EQ(clock.setTo[0], at / 1000 - c.drift) << c.name;
      EXPECT_TRUE(o.clockSet) << c.name;
    }
  }
}

TEST(ClockCorrection, ValueBefore1970IsTakenAs1970) {
  FakeTransport t;
  t.names = {{"a.example", kServerA}};
  t.answers[kServerA] = {0x3B, 0x9A, 0xCA, 0x00};  // 1000000000
  FakeClock clock(kNewYear2024 * 1000, 100);
  RecordingUi ui(false);
  const CorrectionOutcome o = RunClockCorrection(Hosts({{0, "a.example"}}), t, clock, &ui, false);
  ASSERT_EQ(o.result, CorrectionResult::kAnswered);
  EXPECT_EQ(o.netSeconds, 0);
  EXPECT_EQ(o.driftSeconds, kNewYear2024);
  EXPECT_EQ(o.text.substr(0, 36), "Net Time :  01/01/1970     00:00:00\n");
}

struct SkipCase {
  const char* name;
  void (*arrange)(FakeTransport&);
  std::vector<Ipv4Address> sent;  // datagrams expected, in order
};

TEST(ClockCorrection, HostsThatGiveNoAnswerAreSkipped) {
  const SkipCase cases[] = {
      {"short_answer_is_no_answer",
       [](FakeTransport& t) { t.answers[kServerA] = {0xE9, 0x3C}; },
       {kServerA, kServerB}},
      {"silent_host", [](FakeTransport&) {}, {kServerA, kServerB}},
      {"send_fails", [](FakeTransport& t) {
         t.answers[kServerA] = {kNewYear2024Answer, kNewYear2024Answer + 4};
         t.sendFails[kServerA] = true;
       },
       {kServerA, kServerB}},
      {"unresolved_name_sends_nothing", [](FakeTransport& t) { t.names.erase("a.example"); },
       {kServerB}},
  };
  for (const SkipCase& c : cases) {
    FakeTransport t = TwoServers();
    c.arrange(t);
    FakeClock clock(kNewYear2024 * 1000, 100);
    RecordingUi ui;
    const CorrectionOutcome o = RunClockCorrection(Hosts({{0, "a.example"}, {1, "b.example"}}), t,
                                                   clock, &ui, false);
    EXPECT_EQ(o.result, CorrectionResult::kAnswered) << c.name;
    EXPECT_EQ(o.host.index, 1) << c.name;
    EXPECT_EQ(t.sent, c.sent) << c.name;
  }
}

struct NoAnswerCase {
  const char* name;
  bool silent, openOk;
  CorrectionResult result;
  std::vector<std::string> calls;
  size_t sends;
};

TEST(ClockCorrection, NoAnswerAndSocketFailure) {
  const NoAnswerCase cases[] = {
      {"manual_no_response", false, true, CorrectionResult::kNoResponse,
       {"progress", "host a.example", "no-response", "hide"}, 1},
      {"silent_no_response_shows_nothing", true, true, CorrectionResult::kNoResponse, {}, 1},
      {"manual_socket_error_stops", false, false, CorrectionResult::kSocketError,
       {"socket-error"}, 0},
      {"silent_socket_error_carries_on", true, false, CorrectionResult::kNoResponse, {}, 1},
  };
  for (const NoAnswerCase& c : cases) {
    FakeTransport t;
    t.names = {{"a.example", kServerA}};
    t.openOk = c.openOk;
    FakeClock clock(kNewYear2024 * 1000, 100);
    RecordingUi ui;
    const CorrectionOutcome o =
        RunClockCorrection(Hosts({{0, "a.example"}}), t, clock, &ui, c.silent);
    EXPECT_EQ(o.result, c.result) << c.name;
    EXPECT_EQ(ui.calls, c.calls) << c.name;
    EXPECT_EQ(t.sent.size(), c.sends) << c.name;
    EXPECT_TRUE(clock.setTo.empty()) << c.name;
  }
}

TEST(ClockCorrection, WithoutHostKeysNoServerResponds) {
  FakeTransport t;
  FakeClock clock(kNewYear2024 * 1000, 100);
  RecordingUi ui;
  const CorrectionOutcome o = RunClockCorrection(Hosts({}), t, clock, &ui, false);
  EXPECT_EQ(o.result, CorrectionResult::kNoResponse);
  EXPECT_EQ(ui.calls, (std::vector<std::string>{"progress", "no-response", "hide"}));
}

TEST(ClockCorrection, ClosedSocketWindowEndsTheRunQuietly) {
  FakeTransport t = TwoServers();
  t.aliveChecks = 1;  // gone after the first host
  FakeClock clock(kNewYear2024 * 1000, 100);
  RecordingUi ui;
  const CorrectionOutcome o = RunClockCorrection(Hosts({{0, "a.example"}, {1, "b.example"}}), t,
                                                 clock, &ui, false);
  EXPECT_EQ(o.result, CorrectionResult::kNoResponse);
  EXPECT_EQ(t.sent, (std::vector<Ipv4Address>{kServerA}));
  EXPECT_EQ(ui.calls, (std::vector<std::string>{"progress", "host a.example", "hide"}));
}

TEST(ClockCorrection, RefusedClockChangeIsReported) {
  FakeTransport t = TwoServers();
  FakeClock clock((kNewYear2024 + 5) * 1000, 300);
  clock.refuseSet = true;
  RecordingUi ui(true);
  const CorrectionOutcome o = RunClockCorrection(Hosts({{1, "b.example"}}), t, clock, &ui, false);
  EXPECT_TRUE(o.fixWanted);
  EXPECT_FALSE(o.clockSet);
  EXPECT_EQ(ui.calls, (std::vector<std::string>{"progress", "host b.example", "ask",
                                                "set-failure Operation not permitted", "hide"}));
}

TEST(ClockCorrection, HostKeysAtOrBeyondMaxHostAreNotAsked) {
  FakeTransport t = TwoServers();
  FakeClock clock(kNewYear2024 * 1000, 100);
  TimeServerSettings s = Hosts({{0, "a.example"}, {1, "b.example"}});
  s.maxHost = 1;
  const CorrectionOutcome o = RunClockCorrection(s, t, clock, nullptr, true);
  EXPECT_EQ(o.result, CorrectionResult::kNoResponse);
  EXPECT_EQ(t.sent, (std::vector<Ipv4Address>{kServerA}));
}

}  // namespace
}  // namespace korvana
