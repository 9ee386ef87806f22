// FrameClock on POSIX: the monotonic clock serves as a nanosecond performance counter and,
// truncated to 32 bits of milliseconds, as the wrapping tick count.
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
  bool QueryPerformanceFrequency(int64_t& frequency) override {
    frequency = kNanosecondsPerSecond;
    return true;
  }
  int64_t QueryPerformanceCounter() override { return MonotonicNanoseconds(); }
  uint32_t GetTickCount() override {
    return static_cast<uint32_t>(MonotonicNanoseconds() / 1'000'000);
  }
};

}  // namespace

FrameClock& SystemFrameClock() {
  static PosixFrameClock clock;
  return clock;
}
