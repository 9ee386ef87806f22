// TPowerTimer driven by a hand-moved clock: how many frames each step draws and simulates,
// the step and average rates it measures, and the rendering switch.
#include "timer/power_timer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "unit/fake_frame_clock.h"

namespace {

constexpr int64_t kFrame = 1'000'000;  // counts of one sixtieth of a second
constexpr int64_t kSecond = 60 * kFrame;

class PowerTimerTest : public ::testing::Test {
 protected:
  PowerTimerTest() { Restart(); }

  // A fresh timer on the current clock, with every event recorded.
  void Restart() {
    Timer_ = std::make_unique<TPowerTimer>(App_, Clock_);
    Timer_->OnRender = TNotifyEvent::Bind<&PowerTimerTest::Record<'R'>>(this);
    Timer_->OnProcess = TNotifyEvent::Bind<&PowerTimerTest::Record<'P'>>(this);
    Timer_->OnRealTime = TRealTimeEvent::Bind<&PowerTimerTest::RealTime>(this);
    Timer_->OnAppIdle = TNotifyEvent::Bind<&PowerTimerTest::Record<'I'>>(this);
    Timer_->OnAppActivate = TNotifyEvent::Bind<&PowerTimerTest::Record<'A'>>(this);
    Timer_->OnAppDeactivate = TNotifyEvent::Bind<&PowerTimerTest::Record<'D'>>(this);
  }

  // Moves the counter on, lets the message loop go idle once, and returns the events raised.
  std::string Step(int64_t counts = 0) {
    Clock_.Counter += counts;
    Log_.clear();
    Senders_.clear();
    EXPECT_FALSE(App_.RaiseIdle(&Application_)) << "the loop must never wait";
    return Log_;
  }

  template <char Tag>
  void Record(void* Sender) {
    Log_ += Tag;
    Senders_.push_back(Sender);
    if (Tag == 'A' || Tag == 'D') RenderingSeen_ = Timer_->MayRender();
  }
  void RealTime(void* Sender, double Delta) {
    Record<'T'>(Sender);
    Deltas_.push_back(Delta);
  }

  FakeFrameClock Clock_;
  ApplicationEvents App_;
  int Application_ = 0;  // stands in for the application object as a Sender
  std::unique_ptr<TPowerTimer> Timer_;
  std::string Log_;
  std::vector<void*> Senders_;
  std::vector<double> Deltas_;
  bool RenderingSeen_ = false;
};

TEST_F(PowerTimerTest, StartsOffAtSixtyAndAnIdleTurnDoesNothingButKeepTheLoopBusy) {
  EXPECT_EQ(Timer_->FPS(), 60);
  EXPECT_FALSE(Timer_->MayRender() || Timer_->MayProcess() || Timer_->MayRealTime());
  EXPECT_EQ(Timer_->RateWindow(), 30);

  Timer_->SetMayProcess(true);
  EXPECT_EQ(Step(3 * kSecond), "PI");
  ASSERT_TRUE(Timer_->GapReset());
  Timer_->SetMayProcess(false);
  const int reads = Clock_.CounterReads;
  EXPECT_EQ(Step(kFrame), "");
  EXPECT_FALSE(Timer_->GapReset());
  EXPECT_EQ(Clock_.CounterReads, reads);
  EXPECT_EQ(Timer_->StepCount(), 1);
}

TEST_F(PowerTimerTest, StepsASixtiethApartDrawThenSimulateOnceEach) {
  Timer_->SetMayProcess(true);
  Timer_->SetMayRender(true);
  for (int step = 0; step < 5; ++step) {
    EXPECT_EQ(Step(kFrame), "RPI");
    EXPECT_EQ(Timer_->FrameDebt(), 0.0);
  }
  EXPECT_EQ(Senders_, (std::vector<void*>{Timer_.get(), Timer_.get(), &Application_}));
}

TEST_F(PowerTimerTest, FirstStepAfterAPauseCountsTheWholePause) {
  Clock_.Counter += kSecond / 2;  // since construction
  Timer_->SetMayProcess(true);
  EXPECT_EQ(Step(), "PPPPPPPPI");
  EXPECT_TRUE(Timer_->Capped());

  Timer_->SetMayProcess(false);
  Step(kSecond);
  Step(kSecond);
  Timer_->SetMayProcess(true);
  EXPECT_EQ(Step(), "PI");
  EXPECT_TRUE(Timer_->GapReset());
  EXPECT_FALSE(Timer_->Capped());
}

TEST_F(PowerTimerTest, LongStepsAreCappedAtEightAndGapsOfTwoSecondsOweOne) {
  struct Case {
    int64_t Counts;
    int32_t StepRate;
    int Processed;
    bool Capped, GapReset;
    int32_t FPS = 60;
  } cases[] = {
      {8 * kFrame, 8, 7, false, false},       // 2/15 s: 7.5 rounds to the even 8
      {8 * kFrame + 1, 7, 8, true, false},    // a hair longer owes 8.57
      {24 * kFrame, 2, 8, true, false},       // 2.5 rounds to 2, not 3
      {2 * kSecond - 1, 1, 8, true, false},   // just under two seconds
      {2 * kSecond, 0, 1, false, true},       // two seconds owe exactly one frame
      {-kFrame, 60, 1, false, false},         // a counter that ran backwards
      {0, 2147483647, 0, false, false},       // no time at all
      {kSecond / 2, 2, 8, false, false, 16},  // owing exactly eight is not over the cap
  };
  for (const Case& c : cases) {
    Restart();
    Timer_->SetFPS(c.FPS);
    Timer_->SetMayProcess(true);
    const std::string events = Step(c.Counts);
    EXPECT_EQ(Timer_->StepRate(), c.StepRate) << c.Counts;
    EXPECT_EQ(events, std::string(c.Processed, 'P') + 'I') << c.Counts;
    EXPECT_EQ(Timer_->Capped(), c.Capped) << c.Counts;
    EXPECT_EQ(Timer_->GapReset(), c.GapReset) << c.Counts;
  }
}

// A step with all three switches off still clears what the step before it flagged.
TEST_F(PowerTimerTest, AnIdleTurnWithEverythingOffClearsCappedAndGapReset) {
  struct Case {
    int64_t Counts;
    bool Capped, GapReset;
  } cases[] = {{kSecond / 2, true, false}, {3 * kSecond, false, true}};
  for (const Case& c : cases) {
    Restart();
    Timer_->SetMayProcess(true);
    Step(c.Counts);
    ASSERT_EQ(Timer_->Capped(), c.Capped) << c.Counts;
    ASSERT_EQ(Timer_->GapReset(), c.GapReset) << c.Counts;
    Timer_->SetMayProcess(false);
    EXPECT_EQ(Step(kFrame), "") << c.Counts;
    EXPECT_FALSE(Timer_->Capped()) << c.Counts;
    EXPECT_FALSE(Timer_->GapReset()) << c.Counts;
  }
}

TEST_F(PowerTimerTest, WholeFramesOwedAreProcessedOrDroppedAndTheFractionCarries) {
  Timer_->SetFPS(11);
  Timer_->SetMayRender(true);
  EXPECT_EQ(Step(kSecond / 4), "RI");  // owes 2.75 with processing off
  EXPECT_DOUBLE_EQ(Timer_->FrameDebt(), 0.75);
  Timer_->SetMayProcess(true);
  EXPECT_EQ(Step(kSecond / 4), "RPPPI");  // 0.75 + 2.75
  EXPECT_DOUBLE_EQ(Timer_->FrameDebt(), 0.5);
  EXPECT_EQ(Step(kSecond / 4), "RPPPI");  // 0.5 + 2.75
  EXPECT_DOUBLE_EQ(Timer_->FrameDebt(), 0.25);
  EXPECT_EQ(Step(3 * kSecond), "RPI");  // a gap replaces what was owed by one frame
  EXPECT_EQ(Timer_->FrameDebt(), 0.0);
}

TEST_F(PowerTimerTest, FpsOutsideOneTo240IsIgnored) {
  for (int32_t value : {0, -1, 241, 1, 240, 30}) {
    const int32_t before = Timer_->FPS();
    Timer_->SetFPS(value);
    EXPECT_EQ(Timer_->FPS(), value >= 1 && value <= 240 ? value : before) << value;
  }
  Timer_->SetMayProcess(true);
  std::string events;
  for (int step = 0; step < 4; ++step) events += Step(kFrame);
  EXPECT_EQ(events, "IPIIPI");  // at 30 per second, every other step simulates
}

TEST_F(PowerTimerTest, RealTimeEventGetsTheStepInTargetFramesExceptAfterAGap) {
  Timer_->SetMayRealTime(true);
  EXPECT_EQ(Step(2 * kFrame), "TI");
  EXPECT_EQ(Step(3 * kSecond), "I");
  EXPECT_EQ(Deltas_, std::vector<double>{2.0});
}

TEST_F(PowerTimerTest, StepRateIsTheLow32BitsOfTheRoundedQuotient) {
  Clock_.Frequency = (int64_t{1} << 32) + 60;
  Restart();
  Timer_->SetMayProcess(true);
  EXPECT_EQ(Step(1), "PI");
  EXPECT_EQ(Timer_->StepRate(), 60);
}

TEST_F(PowerTimerTest, WithoutACounterTheTickCountTimesTheSteps) {
  Clock_.HasCounter = false;
  Clock_.Tick = 0xFFFFFFF0u;
  Restart();
  Clock_.CounterReads = 0;
  EXPECT_FALSE(Timer_->HighResolution());
  Timer_->SetMayProcess(true);
  struct Case {
    int64_t Milliseconds;
    int32_t StepRate;
  } cases[] = {{32, 31}, {0, 2147483647}, {16, 62}, {400, 2}, {-10, 100}, {2000, 0}};
  for (const Case& c : cases) {
    Clock_.AdvanceMs(c.Milliseconds);
    Step();
    EXPECT_EQ(Timer_->StepRate(), c.StepRate) << c.Milliseconds;
  }
  EXPECT_EQ(Clock_.CounterReads, 0);
}

TEST_F(PowerTimerTest, MeasuresTheAverageRateFirstAtStep31ReadingTheTickOnlyThen) {
  Clock_.Tick = 0xFFFFFF00u;  // the measuring window spans the wrap
  Restart();
  Clock_.CounterReads = Clock_.TickReads = 0;
  Timer_->SetMayRender(true);
  for (int step = 0; step < 30; ++step) Step();
  EXPECT_EQ(Timer_->StepCount(), 30);
  EXPECT_EQ(Timer_->MeasuredRate(), 0);
  EXPECT_EQ(Clock_.TickReads, 0);

  Clock_.AdvanceMs(496);
  Step();
  EXPECT_EQ(Timer_->MeasuredRate(), 62);  // 31 steps in 496 ms is 62.5
  EXPECT_EQ(Timer_->StepCount(), 0);
  EXPECT_EQ(Timer_->RateWindow(), 59);
  EXPECT_EQ(Clock_.CounterReads, 31);
  EXPECT_EQ(Clock_.TickReads, 1);
}

TEST_F(PowerTimerTest, RateWindowFollowsTheMeasuredRate) {
  Timer_->SetMayRender(true);
  const struct {
    int32_t Rate, Window;
  } chain[] = {{20, 19},  {21, 29},   {44, 29},   {45, 59},   {65, 59}, {66, 74},
               {100, 74}, {101, 200}, {250, 200}, {251, 500}, {0, 19}};
  for (const auto& link : chain) {
    const int32_t steps = Timer_->RateWindow() + 1;
    for (int step = 1; step < steps; ++step) Step();
    if (link.Rate > 0) Clock_.AdvanceMs(std::llround(steps * 1000.0 / link.Rate));
    Step();
    ASSERT_EQ(Timer_->MeasuredRate(), link.Rate) << "after " << steps << " steps";
    EXPECT_EQ(Timer_->RateWindow(), link.Window) << link.Rate;
  }
}

TEST_F(PowerTimerTest, RenderingSwitchFollowsItsStateTable) {
  enum Action { On, Off, Deactivate, Activate };
  struct Pair {
    bool MayRender, RenderPaused;
    bool operator==(const Pair&) const = default;
  };
  const auto apply = [&](Action action) {
    if (action == On) Timer_->SetMayRender(true);
    if (action == Off) Timer_->SetMayRender(false);
    if (action == Deactivate) App_.RaiseDeactivate(&Application_);
    if (action == Activate) App_.RaiseActivate(&Application_);
  };
  const std::vector<Action> starts[] = {{}, {On}, {On, Activate}, {On, Deactivate}};
  const Pair expected[4][4] = {
      // On            Off            Deactivate     Activate
      {{true, true}, {false, false}, {false, false}, {false, false}},  // off
      {{true, true}, {false, false}, {false, true}, {true, false}},    // on (true, true)
      {{true, true}, {false, false}, {false, true}, {true, false}},    // on (true, false)
      {{false, true}, {false, false}, {false, true}, {true, false}},   // paused
  };
  for (int start = 0; start < 4; ++start) {
    for (Action action : {On, Off, Deactivate, Activate}) {
      Restart();
      for (Action a : starts[start]) apply(a);
      apply(action);
      EXPECT_EQ((Pair{Timer_->MayRender(), Timer_->RenderPaused()}), expected[start][action])
          << "start " << start << ", action " << action;
    }
  }
}

TEST_F(PowerTimerTest, ActivationEventsSeeTheSwitchAlreadyFlipped) {
  Timer_->SetMayRender(true);
  Timer_->SetMayProcess(true);
  App_.RaiseDeactivate(&Application_);
  EXPECT_FALSE(RenderingSeen_);
  EXPECT_EQ(Step(kFrame), "PI");  // simulation goes on while drawing is paused
  Log_.clear();
  Senders_.clear();
  App_.RaiseActivate(&Application_);
  EXPECT_TRUE(RenderingSeen_);
  EXPECT_EQ(Log_, "A");
  EXPECT_EQ(Senders_, std::vector<void*>{&Application_});
}

TEST(PowerTimerHooks, TimerOwnsTheApplicationEventsForItsLifetime) {
  FakeFrameClock clock;
  ApplicationEvents app;
  int earlierHandlerCalls = 0;
  auto earlierIdle = [&](void*, bool&) { ++earlierHandlerCalls; };
  app.OnIdle = TIdleEvent::Bind(earlierIdle);

  auto first = std::make_unique<TPowerTimer>(app, clock);
  EXPECT_FALSE(app.RaiseIdle(nullptr));
  EXPECT_EQ(earlierHandlerCalls, 0);
  auto second = std::make_unique<TPowerTimer>(app, clock);
  first.reset();  // the older timer going away must not unhook the newer one
  EXPECT_EQ(app.OnIdle.Target(), second.get());
  EXPECT_EQ(app.OnActivate.Target(), second.get());
  EXPECT_EQ(app.OnDeactivate.Target(), second.get());

  second.reset();
  EXPECT_TRUE(app.RaiseIdle(nullptr));
  EXPECT_FALSE(app.OnActivate || app.OnDeactivate);
}

}  // namespace
