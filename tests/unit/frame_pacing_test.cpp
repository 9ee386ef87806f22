// The pacing of XScreenSaver's modes: what is left of the delay after a turn.
#include "app/frame_pacing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/test_data.h"

TEST(TurnPacer, WaitsTheDelayLessTheTurnAndNeverLessThanNothing) {
  const auto cases = ReadTestTable("turn_pacer_cases.txt");
  ASSERT_EQ(cases.size(), 10u) << "data/turn_pacer_cases.txt not read";
  for (const std::vector<std::string>& c : cases) {
    const int64_t delay = std::stoll(c[0]), turnTook = std::stoll(c[1]);
    TurnPacer pacer(delay);
    pacer.TurnStarted(1'000'000);
    EXPECT_EQ(pacer.WaitLeft(1'000'000 + turnTook), std::stoll(c[2]))
        << "delay " << delay << ", turn " << turnTook;
    EXPECT_EQ(pacer.Paces(), c[3] == "yes") << "delay " << delay;
  }
}

TEST(TurnPacer, WakingEarlyForAnEventLeavesOnlyTheRestToWait) {
  TurnPacer pacer(16'667);
  pacer.TurnStarted(500);
  EXPECT_EQ(pacer.WaitLeft(4'500), 12'667);
  EXPECT_EQ(pacer.WaitLeft(10'500), 6'667) << "an event at 10 ms must not restart the wait";
  EXPECT_EQ(pacer.WaitLeft(17'167), 0);
}
