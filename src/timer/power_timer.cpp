// One step of the frame timer: measure, owe frames, draw, simulate.
#include "timer/power_timer.h"

#include <cmath>
#include <optional>

namespace {

// StepRate when no time passed between two steps.
constexpr int32_t kNoTimePassed = 2147483647;
constexpr double kMostFramesPerStep = 8.0;

// Ties go to the even neighbour, whatever rounding mode a driver may have left the FPU in.
long double RoundHalfToEven(long double value) {
  const long double below = std::floor(value);
  const long double fraction = value - below;
  if (fraction > 0.5L) return below + 1;
  if (fraction < 0.5L) return below;
  return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

// The low 32 bits of a whole number, as a signed integer.
int32_t Low32Bits(long double whole) {
  constexpr long double kTwoTo32 = 4294967296.0L;
  long double low = std::fmod(whole, kTwoTo32);
  if (low < 0) low += kTwoTo32;
  return static_cast<int32_t>(static_cast<uint32_t>(low));
}

// |a - b| with the difference wrapping at 64 bits; never overflows.
uint64_t Distance(int64_t a, int64_t b) {
  const uint64_t difference = static_cast<uint64_t>(a) - static_cast<uint64_t>(b);
  return static_cast<int64_t>(difference) < 0 ? 0 - difference : difference;
}

// How many steps to wait before measuring again: about a second's worth at that rate.
int32_t RateWindowFor(int32_t measuredRate) {
  if (measuredRate <= 20) return 19;
  if (measuredRate <= 44) return 29;
  if (measuredRate <= 65) return 59;
  if (measuredRate <= 100) return 74;
  if (measuredRate <= 250) return 200;
  return 500;
}

}  // namespace

TPowerTimer::TPowerTimer(ApplicationEvents& application, FrameClock& clock)
    : Application_(application), Clock_(clock) {
  const std::optional<int64_t> ticksPerSecond = Clock_.TicksPerSecond();
  HighResolution_ = ticksPerSecond.has_value();
  if (HighResolution_) {
    CounterFrequency_ = *ticksPerSecond;
    LastCounter_ = Clock_.Ticks();
  } else {
    LastTick_ = Clock_.Milliseconds();
  }
  LastRateTick_ = Clock_.Milliseconds();
  Application_.OnIdle = TIdleEvent::Bind<&TPowerTimer::AppIdle>(this);
  Application_.OnActivate = TNotifyEvent::Bind<&TPowerTimer::AppActivate>(this);
  Application_.OnDeactivate = TNotifyEvent::Bind<&TPowerTimer::AppDeactivate>(this);
}

TPowerTimer::~TPowerTimer() {
  // A newer timer may have taken the events over; its hooks must survive this one.
  if (Application_.OnIdle.Target() == this) Application_.OnIdle = {};
  if (Application_.OnActivate.Target() == this) Application_.OnActivate = {};
  if (Application_.OnDeactivate.Target() == this) Application_.OnDeactivate = {};
}

void TPowerTimer::SetFPS(int32_t Value) {
  if (Value >= 1 && Value <= 240) FPS_ = Value;
}

void TPowerTimer::SetMayRender(bool Value) {
  const bool resumeDeferred = !MayRender_ && RenderPaused_ && Value;
  if (resumeDeferred) return;
  MayRender_ = Value;
  RenderPaused_ = Value;
}

void TPowerTimer::AppIdle(void* Sender, bool& Done) {
  // The loop never waits while the timer lives: steps run back to back.
  Done = false;
  Capped_ = false;
  GapReset_ = false;
  // Without reading the clock, so a pause counts into the first step after it.
  if (!MayRender_ && !MayProcess_ && !MayRealTime_) return;

  MeasureStep();
  StepCount_ += 1;
  if (StepCount_ > RateWindow_) {
    MeasureRate();
    StepCount_ = 0;
    RateWindow_ = RateWindowFor(MeasuredRate_);
  }

  if (StepRate_ != 0) {
    FrameDebt_ = static_cast<double>(FrameDebt_ + static_cast<long double>(FPS_) / StepRate_);
  } else {
    // Two seconds or more passed: catching up would only stall, so owe one frame.
    FrameDebt_ = 1.0;
    GapReset_ = true;
  }
  if (FrameDebt_ > kMostFramesPerStep) {
    FrameDebt_ = kMostFramesPerStep;
    Capped_ = true;
  }

  // Drawing first: the picture shows the state the previous step left.
  if (MayRender_ && OnRender) OnRender(this);
  if (MayRealTime_ && StepRate_ != 0 && OnRealTime) {
    OnRealTime(this, static_cast<double>(static_cast<long double>(FPS_) / StepRate_));
  }
  const double wholeFrames = std::trunc(FrameDebt_);
  if (MayProcess_ && OnProcess) {
    for (int frame = 0; frame < static_cast<int>(wholeFrames); ++frame) OnProcess(this);
  }
  // Frames owed while processing is off are dropped; only the fraction carries over.
  FrameDebt_ -= wholeFrames;

  if (OnAppIdle) OnAppIdle(Sender);
}

void TPowerTimer::AppActivate(void* Sender) {
  if (RenderPaused_) {
    MayRender_ = true;
    RenderPaused_ = false;
  }
  if (OnAppActivate) OnAppActivate(Sender);
}

void TPowerTimer::AppDeactivate(void* Sender) {
  if (MayRender_) {
    MayRender_ = false;
    RenderPaused_ = true;
  }
  if (OnAppDeactivate) OnAppDeactivate(Sender);
}

void TPowerTimer::MeasureStep() {
  uint64_t elapsed = 0;
  long double perSecond = 0;
  if (HighResolution_) {
    const int64_t now = Clock_.Ticks();
    elapsed = Distance(now, LastCounter_);
    LastCounter_ = now;
    perSecond = static_cast<long double>(CounterFrequency_);
  } else {
    // A signed 32-bit difference, so a tick count that wrapped still gives a short step.
    const uint32_t now = Clock_.Milliseconds();
    const int32_t difference = static_cast<int32_t>(now - LastTick_);
    elapsed = static_cast<uint64_t>(std::abs(static_cast<int64_t>(difference)));
    LastTick_ = now;
    perSecond = 1000.0L;
  }
  StepRate_ = elapsed > 0 ? Low32Bits(RoundHalfToEven(perSecond / elapsed)) : kNoTimePassed;
}

void TPowerTimer::MeasureRate() {
  const uint32_t now = Clock_.Milliseconds();
  const uint32_t elapsed = now - LastRateTick_;  // unsigned, so the tick's wrap is harmless
  LastRateTick_ = now;
  if (elapsed == 0) {
    MeasuredRate_ = 0;
    return;
  }
  const int32_t stepsTimesThousand = StepCount_ * 1000;
  MeasuredRate_ =
      static_cast<int32_t>(RoundHalfToEven(static_cast<long double>(stepsTimesThousand) / elapsed));
}
