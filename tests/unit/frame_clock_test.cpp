// The platform's real clock: a counter that only moves forward and a millisecond tick,
// both in the units they claim.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "timer/frame_clock.h"

namespace {

TEST(SystemFrameClock, CounterAndTickMoveForwardInTheirUnits) {
  FrameClock& clock = SystemFrameClock();
  const std::optional<int64_t> perSecond = clock.TicksPerSecond();
  ASSERT_TRUE(perSecond);
  const int64_t frequency = *perSecond;
  ASSERT_GT(frequency, 0);

  const int64_t counterBefore = clock.Ticks();
  const uint32_t tickBefore = clock.Milliseconds();
  int64_t previous = counterBefore;
  for (int read = 0; read < 100'000; ++read) {
    const int64_t now = clock.Ticks();
    ASSERT_GE(now, previous);
    previous = now;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  const double seconds = static_cast<double>(clock.Ticks() - counterBefore) / frequency;
  const uint32_t ticks = clock.Milliseconds() - tickBefore;  // unsigned: survives the wrap
  // Loose bounds: they catch a unit that is off by a factor, not a slow machine.
  EXPECT_GT(seconds, 0.040);
  EXPECT_LT(seconds, 10.0);
  EXPECT_GT(ticks, 40u);
  EXPECT_LT(ticks, 10'000u);
}

}  // namespace
