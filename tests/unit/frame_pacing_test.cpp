// The pacing of XScreenSaver's modes: what is left of the delay after a turn.
#include "app/frame_pacing.h"

#include <gtest/gtest.h>

TEST(TurnPacer, WaitsTheDelayLessTheTurnAndNeverLessThanNothing) {
  struct Case {
    int64_t Delay, TurnTook, Left;
  } cases[] = {
      {16'667, 5'000, 11'667},   // a quick frame: the rest of the delay
      {16'667, 0, 16'667},       // the whole delay
      {33'333, 33'333, 0},       // exactly the delay: no wait
      {16'667, 40'000, 0},       // a slow frame: the next one at once
      {0, 1'000, 0},             // no delay: never waits
      {-5, 0, 0},                // a negative delay counts as none
      {16'667, -2'000, 16'667},  // a clock that stepped back waits one delay at most
  };
  for (const Case& c : cases) {
    TurnPacer pacer(c.Delay);
    pacer.TurnStarted(1'000'000);
    EXPECT_EQ(pacer.WaitLeft(1'000'000 + c.TurnTook), c.Left)
        << "delay " << c.Delay << ", turn " << c.TurnTook;
    EXPECT_EQ(pacer.Paces(), c.Delay > 0);
  }
}

TEST(TurnPacer, WakingEarlyForAnEventLeavesOnlyTheRestToWait) {
  TurnPacer pacer(16'667);
  pacer.TurnStarted(500);
  EXPECT_EQ(pacer.WaitLeft(4'500), 12'667);
  EXPECT_EQ(pacer.WaitLeft(10'500), 6'667) << "an event at 10 ms must not restart the wait";
  EXPECT_EQ(pacer.WaitLeft(17'167), 0);
}
