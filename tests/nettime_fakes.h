#pragma once
// Fakes for the clock correction: a clock that never touches the host's
// clock, and a user interface that records what it was asked to show.

#include <cstdint>
#include <string>
#include <vector>

#include "nettime/clock_correction.h"
#include "platform/wall_clock.h"

namespace korvana::testing {

// Civil date of a day count since 1970-01-01 (proleptic Gregorian).
inline ClockFields UtcFields(int64_t unixSeconds) {
  int64_t days = unixSeconds / 86400;
  int64_t rest = unixSeconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day, static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
          static_cast<int>(rest % 60)};
}

// A clock in milliseconds that moves `stepMs` forward at every reading, on
// UTC as its local clock. Setting it only records the value.
class FakeClock final : public WallClock {
 public:
  FakeClock(int64_t startMs, int64_t stepMs) : nowMs_(startMs), stepMs_(stepMs) {}

  int64_t NowSeconds() override {
    const int64_t seconds = nowMs_ / 1000;
    readings.push_back(nowMs_);
    nowMs_ += stepMs_;
    return seconds;
  }
  ClockFields LocalFields(int64_t unixSeconds) override { return UtcFields(unixSeconds); }
  bool SetNowSeconds(int64_t unixSeconds, std::string* error) override {
    setTo.push_back(unixSeconds);
    setAtMs.push_back(nowMs_ - stepMs_);  // the moment of the last reading
    if (!refuseSet) return true;
    if (error != nullptr) *error = "Operation not permitted";
    return false;
  }

  std::vector<int64_t> readings;  // every reading, in milliseconds
  std::vector<int64_t> setTo;     // every value the clock was set to
  std::vector<int64_t> setAtMs;   // when, on the fake's own time line
  bool refuseSet = false;

 private:
  int64_t nowMs_;
  int64_t stepMs_;
};

// The system clock for reading; setting is recorded and never done.
class ReadOnlyHostClock final : public WallClock {
 public:
  int64_t NowSeconds() override { return HostWallClock().NowSeconds(); }
  ClockFields LocalFields(int64_t unixSeconds) override {
    return HostWallClock().LocalFields(unixSeconds);
  }
  bool SetNowSeconds(int64_t unixSeconds, std::string*) override {
    setTo.push_back(unixSeconds);
    return true;
  }
  std::vector<int64_t> setTo;
};

// Records every call as one line; answers the question with `answerYes`.
class RecordingUi final : public CorrectionUi {
 public:
  explicit RecordingUi(bool answerYes = false) : answerYes_(answerYes) {}

  void ShowSocketError() override { calls.push_back("socket-error"); }
  void ShowProgress() override { calls.push_back("progress"); }
  void ShowHost(const std::string& host) override { calls.push_back("host " + host); }
  bool AskToFix(const std::string& text, const std::string& caption) override {
    calls.push_back("ask");
    lastText = text;
    lastCaption = caption;
    return answerYes_;
  }
  void ShowNoCorrection(const std::string& text, const std::string& caption) override {
    calls.push_back("no-correction");
    lastText = text;
    lastCaption = caption;
  }
  void ShowSetFailure(const std::string& error) override { calls.push_back("set-failure " + error); }
  void ShowNoResponse() override { calls.push_back("no-response"); }
  void HideProgress() override { calls.push_back("hide"); }

  std::vector<std::string> calls;
  std::string lastText, lastCaption;

 private:
  bool answerYes_;
};

}  // namespace korvana::testing
