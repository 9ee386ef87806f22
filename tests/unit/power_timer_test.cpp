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
    Timer = std::make_unique<TPowerTimer>(App, Clock);
    Timer->OnRender = TNotifyEvent::Bind<&PowerTimerTest::Record<'R'>>(this);
    Timer->OnProcess = TNotifyEvent::Bind<&PowerTimerTest::Record<'P'>>(this);
    Timer->OnRealTime = TRealTimeEvent::Bind<&PowerTimerTest::RealTime>(this);
    Timer->OnAppIdle = TNotifyEvent::Bind<&PowerTimerTest::Record<'I'>>(this);
    Timer->OnAppActivate = TNotifyEvent::Bind<&PowerTimerTest::Record<'A'>>(this);
    Timer->OnAppDeactivate = TNotifyEvent::Bind<&PowerTimerTest::Record<'D'>>(this);
  }

  // Moves the counter on, lets the message loop go idle once, and returns the events raised.
  std::string Step(int64_t Counts = 0) {
    Clock.Counter += Counts;
    Log.clear();
    Senders.clear();
    EXPECT_FALSE(App.RaiseIdle(&Application)) << "the loop must never wait";
    return Log;
  }

  template <char Tag>
  void Record(void* Sender) {
    Log += Tag;
    Senders.push_back(Sender);
    if (Tag == 'A' || Tag == 'D') RenderingSeen = Timer->MayRender();
  }
  void RealTime(void* Sender, double Delta) {
    Record<'T'>(Sender);
    Deltas.push_back(Delta);
  }

  FakeFrameClock Clock;
  ApplicationEvents App;
  int Application = 0;  // stands in for the application object as a Sender
  std::unique_ptr<TPowerTimer> Timer;
  std::string Log;
  std::vector<void*> Senders;
  std::vector<double> Deltas;
  bool RenderingSeen = false;
};

TEST_F(PowerTimerTest, StartsOffAtSixtyAndAnIdleTurnDoesNothingButKeepTheLoopBusy) {
  EXPECT_EQ(Timer->FPS(), 60);
  EXPECT_FALSE(Timer->MayRender() || Timer->MayProcess() || Timer->MayRealTime());
  EXPECT_EQ(Timer->RateWindow(), 30);

  Timer->SetMayProcess(true);
  EXPECT_EQ(Step(3 * kSecond), "PI");
  ASSERT_TRUE(Timer->GapReset());
  Timer->SetMayProcess(false);
  const int reads = Clock.CounterReads;
  EXPECT_EQ(Step(kFrame), "");
  EXPECT_FALSE(Timer->GapReset());
  EXPECT_EQ(Clock.CounterReads, reads);
  EXPECT_EQ(Timer->StepCount(), 1);
}

TEST_F(PowerTimerTest, StepsASixtiethApartDrawThenSimulateOnceEach) {
  Timer->SetMayProcess(true);
  Timer->SetMayRender(true);
  for (int step = 0; step < 5; ++step) {
    EXPECT_EQ(Step(kFrame), "RPI");
    EXPECT_EQ(Timer->FrameDebt(), 0.0);
  }
  EXPECT_EQ(Senders, (std::vector<void*>{Timer.get(), Timer.get(), &Application}));
}

TEST_F(PowerTimerTest, FirstStepAfterAPauseCountsTheWholePause) {
  Clock.Counter += kSecond / 2;  // since construction
  Timer->SetMayProcess(true);
  EXPECT_EQ(Step(), "PPPPPPPPI");
  EXPECT_TRUE(Timer->Capped());

  Timer->SetMayProcess(false);
  Step(kSecond);
  Step(kSecond);
  Timer->SetMayProcess(true);
  EXPECT_EQ(Step(), "PI");
  EXPECT_TRUE(Timer->GapReset());
  EXPECT_FALSE(Timer->Capped());
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
    Timer->SetFPS(c.FPS);
    Timer->SetMayProcess(true);
    const std::string events = Step(c.Counts);
    EXPECT_EQ(Timer->StepRate(), c.StepRate) << c.Counts;
    EXPECT_EQ(events, std::string(c.Processed, 'P') + 'I') << c.Counts;
    EXPECT_EQ(Timer->Capped(), c.Capped) << c.Counts;
    EXPECT_EQ(Timer->GapReset(), c.GapReset) << c.Counts;
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
    Timer->SetMayProcess(true);
    Step(c.Counts);
    ASSERT_EQ(Timer->Capped(), c.Capped) << c.Counts;
    ASSERT_EQ(Timer->GapReset(), c.GapReset) << c.Counts;
    Timer->SetMayProcess(false);
    EXPECT_EQ(Step(kFrame), "") << c.Counts;
    EXPECT_FALSE(Timer->Capped()) << c.Counts;
    EXPECT_FALSE(Timer->GapReset()) << c.Counts;
  }
}

TEST_F(PowerTimerTest, WholeFramesOwedAreProcessedOrDroppedAndTheFractionCarries) {
  Timer->SetFPS(11);
  Timer->SetMayRender(true);
  EXPECT_EQ(Step(kSecond / 4), "RI");  // owes 2.75 with processing off
  EXPECT_DOUBLE_EQ(Timer->FrameDebt(), 0.75);
  Timer->SetMayProcess(true);
  EXPECT_EQ(Step(kSecond / 4), "RPPPI");  // 0.75 + 2.75
  EXPECT_DOUBLE_EQ(Timer->FrameDebt(), 0.5);
  EXPECT_EQ(Step(kSecond / 4), "RPPPI");  // 0.5 + 2.75
  EXPECT_DOUBLE_EQ(Timer->FrameDebt(), 0.25);
  EXPECT_EQ(Step(3 * kSecond), "RPI");  // a gap replaces what was owed by one frame
  EXPECT_EQ(Timer->FrameDebt(), 0.0);
}

TEST_F(PowerTimerTest, FpsOutsideOneTo240IsIgnored) {
  for (int32_t value : {0, -1, 241, 1, 240, 30}) {
    const int32_t before = Timer->FPS();
    Timer->SetFPS(value);
    EXPECT_EQ(Timer->FPS(), value >= 1 && value <= 240 ? value : before) << value;
  }
  Timer->SetMayProcess(true);
  std::string events;
  for (int step = 0; step < 4; ++step) events += Step(kFrame);
  EXPECT_EQ(events, "IPIIPI");  // at 30 per second, every other step simulates
}

TEST_F(PowerTimerTest, RealTimeEventGetsTheStepInTargetFramesExceptAfterAGap) {
  Timer->SetMayRealTime(true);
  EXPECT_EQ(Step(2 * kFrame), "TI");
  EXPECT_EQ(Step(3 * kSecond), "I");
  EXPECT_EQ(Deltas, std::vector<double>{2.0});
}

TEST_F(PowerTimerTest, StepRateIsTheLow32BitsOfTheRoundedQuotient) {
  Clock.Frequency = (int64_t{1} << 32) + 60;
  Restart();
  Timer->SetMayProcess(true);
  EXPECT_EQ(Step(1), "PI");
  EXPECT_EQ(Timer->StepRate(), 60);
}

TEST_F(PowerTimerTest, WithoutACounterTheTickCountTimesTheSteps) {
  Clock.HasCounter = false;
  Clock.Tick = 0xFFFFFFF0u;
  Restart();
  Clock.CounterReads = 0;
  EXPECT_FALSE(Timer->HighResolution());
  Timer->SetMayProcess(true);
  struct Case {
    int64_t Milliseconds;
    int32_t StepRate;
  } cases[] = {{32, 31}, {0, 2147483647}, {16, 62}, {400, 2}, {-10, 100}, {2000, 0}};
  for (const Case& c : cases) {
    Clock.AdvanceMs(c.Milliseconds);
    Step();
    EXPECT_EQ(Timer->StepRate(), c.StepRate) << c.Milliseconds;
  }
  EXPECT_EQ(Clock.CounterReads, 0);
}

TEST_F(PowerTimerTest, MeasuresTheAverageRateFirstAtStep31ReadingTheTickOnlyThen) {
  Clock.Tick = 0xFFFFFF00u;  // the measuring window spans the wrap
  Restart();
  Clock.CounterReads = Clock.TickReads = 0;
  Timer->SetMayRender(true);
  for (int step = 0; step < 30; ++step) Step();
  EXPECT_EQ(Timer->StepCount(), 30);
  EXPECT_EQ(Timer->MeasuredRate(), 0);
  EXPECT_EQ(Clock.TickReads, 0);

  Clock.AdvanceMs(496);
  Step();
  EXPECT_EQ(Timer->MeasuredRate(), 62);  // 31 steps in 496 ms is 62.5
  EXPECT_EQ(Timer->StepCount(), 0);
  EXPECT_EQ(Timer->RateWindow(), 59);
  EXPECT_EQ(Clock.CounterReads, 31);
  EXPECT_EQ(Clock.TickReads, 1);
}

TEST_F(PowerTimerTest, RateWindowFollowsTheMeasuredRate) {
  Timer->SetMayRender(true);
  const struct {
    int32_t Rate, Window;
  } chain[] = {{20, 19},  {21, 29},   {44, 29},   {45, 59},   {65, 59}, {66, 74},
               {100, 74}, {101, 200}, {250, 200}, {251, 500}, {0, 19}};
  for (const auto& link : chain) {
    const int32_t steps = Timer->RateWindow() + 1;
    for (int step = 1; step < steps; ++step) Step();
    if (link.Rate > 0) Clock.AdvanceMs(std::llround(steps * 1000.0 / link.Rate));
    Step();
    ASSERT_EQ(Timer->MeasuredRate(), link.Rate) << "after " << steps << " steps";
    EXPECT_EQ(Timer->RateWindow(), link.Window) << link.Rate;
  }
}

TEST_F(PowerTimerTest, RenderingSwitchFollowsItsStateTable) {
  enum Action { On, Off, Deactivate, Activate };
  struct Pair {
    bool MayRender, RenderPaused;
    bool operator==(const Pair&) const = default;
  };
  const auto apply = [&](Action action) {
    if (action == On) Timer->SetMayRender(true);
    if (action == Off) Timer->SetMayRender(false);
    if (action == Deactivate) App.RaiseDeactivate(&Application);
    if (action == Activate) App.RaiseActivate(&Application);
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
      EXPECT_EQ((Pair{Timer->MayRender(), Timer->RenderPaused()}), expected[start][action])
          << "start " << start << ", action " << action;
    }
  }
}

TEST_F(PowerTimerTest, ActivationEventsSeeTheSwitchAlreadyFlipped) {
  Timer->SetMayRender(true);
  Timer->SetMayProcess(true);
  App.RaiseDeactivate(&Application);
  EXPECT_FALSE(RenderingSeen);
  EXPECT_EQ(Step(kFrame), "PI");  // simulation goes on while drawing is paused
  Log.clear();
  Senders.clear();
  App.RaiseActivate(&Application);
  EXPECT_TRUE(RenderingSeen);
  EXPECT_EQ(Log, "A");
  EXPECT_EQ(Senders, std::vector<void*>{&Application});
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
