// FrameClock on POSIX: the monotonic clock serves as a nanosecond counter and, truncated to
// 32 bits of milliseconds, as the wrapping millisecond count.
#include <time.h>

#include "timer/frame_clock.h"

namespace {

constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;

int64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

class PosixFrameClock final : public FrameClock {
 public:
  std::optional<int64_t> TicksPerSecond() override { return kNanosecondsPerSecond; }
  int64_t Ticks() override { return MonotonicNanoseconds(); }
  uint32_t Milliseconds() override {
    return static_cast<uint32_t>(MonotonicNanoseconds() / 1'000'000);
  }
};

}  // namespace

FrameClock& SystemFrameClock() {
  static PosixFrameClock clock;
  return clock;
}
