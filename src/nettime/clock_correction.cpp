#include "nettime/clock_correction.h"

namespace korvana {

bool SetClockAtNextSecond(WallClock& clock, int64_t driftSeconds, std::string* error) {
  const int64_t first = clock.NowSeconds();
  int64_t now = first;
  while (now == first) now = clock.NowSeconds();
  return clock.SetNowSeconds(now - driftSeconds, error);
}

CorrectionOutcome RunClockCorrection(const TimeServerSettings& settings, TimeTransport& transport,
                                     WallClock& clock, CorrectionUi* ui, bool silent) {
  CorrectionUi* shown = silent ? nullptr : ui;
  CorrectionOutcome outcome;
  if (!transport.Open(ClampHostTimeout(settings.hostTimeoutMs)) && !silent) {
    if (shown != nullptr) shown->ShowSocketError();
    outcome.result = CorrectionResult::kSocketError;
    return outcome;
  }
  if (shown != nullptr) shown->ShowProgress();
  bool answered = false, windowGone = false;
  for (const TimeServerHost& host : settings.hosts) {
    if (!transport.Alive()) {
      windowGone = true;
      break;
    }
    if (host.index < 0 || host.index >= settings.maxHost || host.value.empty()) continue;
    const Ipv4Address destination = transport.Resolve(host.value);
    if (shown != nullptr) shown->ShowHost(host.value);
    // An unresolved host is skipped here: a datagram to 0.0.0.0 would reach
    // this very computer on some systems instead of failing.
    if (destination == kNoAddress) continue;
    const uint8_t request = static_cast<uint8_t>(host.key.empty() ? 'H' : host.key[0]);
    if (!transport.Send(destination, request)) continue;
    uint8_t buffer[kTimeAnswerBufferSize] = {};
    const size_t length = transport.Receive(buffer, sizeof buffer);
    int64_t net = 0;
    if (!ReadTimeAnswer(buffer, length, &net)) continue;

    answered = true;
    outcome.result = CorrectionResult::kAnswered;
    outcome.host = host;
    outcome.address = destination;
    outcome.netSeconds = net;
    outcome.pcSeconds = clock.NowSeconds();
    outcome.driftSeconds = outcome.pcSeconds - net;
    outcome.text = FormatTimeReport(clock.LocalFields(net), clock.LocalFields(outcome.pcSeconds)) +
                   FormatDriftText(outcome.driftSeconds);
    outcome.caption = FormatHostCaption(destination);
    if (outcome.driftSeconds != 0) {
      outcome.fixWanted =
          silent || (shown != nullptr && shown->AskToFix(outcome.text, outcome.caption));
      if (outcome.fixWanted) {
        outcome.clockSet = SetClockAtNextSecond(clock, outcome.driftSeconds, &outcome.setError);
        if (!outcome.clockSet && shown != nullptr) shown->ShowSetFailure(outcome.setError);
      }
    } else if (shown != nullptr) {
      shown->ShowNoCorrection(outcome.text, outcome.caption);
    }
    break;
  }
  if (!answered && !windowGone && shown != nullptr) shown->ShowNoResponse();
  if (shown != nullptr) shown->HideProgress();
  return outcome;
}

}  // namespace korvana
