// The platform's real clock: a counter that only moves forward and a millisecond tick,
// both in the units they claim.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "timer/frame_clock.h"

namespace {

TEST(SystemFrameClock, CounterAndTickMoveForwardInTheirUnits) {
  FrameClock& clock = SystemFrameClock();
  int64_t frequency = 0;
  ASSERT_TRUE(clock.QueryPerformanceFrequency(frequency));
  ASSERT_GT(frequency, 0);

  const int64_t counterBefore = clock.QueryPerformanceCounter();
  const uint32_t tickBefore = clock.GetTickCount();
  int64_t previous = counterBefore;
  for (int read = 0; read < 100'000; ++read) {
    const int64_t now = clock.QueryPerformanceCounter();
    ASSERT_GE(now, previous);
    previous = now;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  const double seconds =
      static_cast<double>(clock.QueryPerformanceCounter() - counterBefore) / frequency;
  const uint32_t ticks = clock.GetTickCount() - tickBefore;  // unsigned: survives the wrap
  // Loose bounds: they catch a unit that is off by a factor, not a slow machine.
  EXPECT_GT(seconds, 0.040);
  EXPECT_LT(seconds, 10.0);
  EXPECT_GT(ticks, 40u);
  EXPECT_LT(ticks, 10'000u);
}

}  // namespace
