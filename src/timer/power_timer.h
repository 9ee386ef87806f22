// TPowerTimer: the frame timer. It takes over the application's idle event and, on every
// turn of the message loop, draws once and advances the simulation by as many frames as
// the wall-clock time since the previous turn asks for at the target rate FPS (at most 8
// per turn). It also pauses drawing while the application is inactive.
#pragma once

#include <cstdint>

#include "common/application_events.h"
#include "timer/frame_clock.h"

// Sender and the step's duration in target frames (FPS / StepRate).
using TRealTimeEvent = BoundMethod<void*, double>;

class TPowerTimer {
 public:
  // Hooks the idle, activate and deactivate events of `application`, replacing whatever
  // was there. `application` and `clock` must outlive the timer.
  TPowerTimer(ApplicationEvents& application, FrameClock& clock);
  // Unhooks those of the application's events that still lead to this timer.
  ~TPowerTimer();
  TPowerTimer(const TPowerTimer&) = delete;
  TPowerTimer& operator=(const TPowerTimer&) = delete;

  int32_t FPS() const { return FPS_; }
  // Values outside 1..240 are ignored.
  void SetFPS(int32_t Value);
  bool MayProcess() const { return MayProcess_; }
  void SetMayProcess(bool Value) { MayProcess_ = Value; }
  bool MayRender() const { return MayRender_; }
  // While rendering is paused by deactivation, switching it on is deferred to the next
  // activation; switching it off cancels that resume.
  void SetMayRender(bool Value);
  bool MayRealTime() const { return MayRealTime_; }
  void SetMayRealTime(bool Value) { MayRealTime_ = Value; }

  // Raised with the timer as Sender.
  TNotifyEvent OnRender;
  TNotifyEvent OnProcess;
  TRealTimeEvent OnRealTime;
  // Raised with the application as Sender.
  TNotifyEvent OnAppIdle;
  TNotifyEvent OnAppActivate;
  TNotifyEvent OnAppDeactivate;

  // The handlers hooked into the application; public so that the application (or a test)
  // can raise them.
  void AppIdle(void* Sender, bool& Done);
  void AppActivate(void* Sender);
  void AppDeactivate(void* Sender);

  // State an owner may read.
  bool RenderPaused() const { return RenderPaused_; }
  bool Capped() const { return Capped_; }
  bool GapReset() const { return GapReset_; }
  bool HighResolution() const { return HighResolution_; }
  int32_t StepRate() const { return StepRate_; }
  int32_t StepCount() const { return StepCount_; }
  int32_t RateWindow() const { return RateWindow_; }
  double FrameDebt() const { return FrameDebt_; }
  int32_t MeasuredRate() const { return MeasuredRate_; }

 private:
  void MeasureStep();
  void MeasureRate();

  ApplicationEvents& Application_;
  FrameClock& Clock_;

  bool RenderPaused_ = false;
  bool MayRender_ = false;
  bool MayProcess_ = false;
  bool MayRealTime_ = false;
  bool Capped_ = false;
  bool GapReset_ = false;
  bool HighResolution_ = false;
  int64_t CounterFrequency_ = 0;
  int64_t LastCounter_ = 0;
  uint32_t LastTick_ = 0;
  uint32_t LastRateTick_ = 0;
  int32_t StepRate_ = 0;
  int32_t StepCount_ = 0;
  int32_t RateWindow_ = 30;
  double FrameDebt_ = 0.0;
  int32_t MeasuredRate_ = 0;
  int32_t FPS_ = 60;
};
