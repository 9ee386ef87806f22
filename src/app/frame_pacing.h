// Pacing of the loop in XScreenSaver's modes, as its own hacks pace theirs: after each turn
// the loop waits for the delay less the time the turn took, so that a turn starts at most
// once per delay and a slow turn is followed by no wait at all. Times are microseconds on
// any steady clock; the loop supplies "now".
#pragma once

#include <algorithm>
#include <cstdint>

class TurnPacer {
 public:
  explicit TurnPacer(int64_t delayMicroseconds) : delay_(std::max<int64_t>(delayMicroseconds, 0)) {}

  bool Paces() const { return delay_ > 0; }
  int64_t Delay() const { return delay_; }

  void TurnStarted(int64_t now) { turnStart_ = now; }
  // How much longer to wait before the next turn: what is left of the delay since the turn
  // started, 0 once it has passed. Asked again after waking early (an event came in), it
  // answers what is left then. A clock that went backwards waits no longer than one delay.
  int64_t WaitLeft(int64_t now) const {
    const int64_t elapsed = now - turnStart_;
    return std::clamp<int64_t>(delay_ - elapsed, 0, delay_);
  }

 private:
  int64_t delay_;
  int64_t turnStart_ = 0;
};
