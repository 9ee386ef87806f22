// Cost of one frame-timer step on the real clock, with handlers that do nothing, so that
// what is left is the timer's own bookkeeping and its one counter read.
#include <benchmark/benchmark.h>

#include "timer/power_timer.h"

namespace {

struct Sink {
  long Calls = 0;
  void Notify(void*) { ++Calls; }
};

void PowerTimerStep(benchmark::State& state) {
  ApplicationEvents app;
  TPowerTimer timer(app, SystemFrameClock());
  Sink sink;
  timer.OnRender = TNotifyEvent::Bind<&Sink::Notify>(&sink);
  timer.OnProcess = TNotifyEvent::Bind<&Sink::Notify>(&sink);
  timer.SetMayProcess(true);
  timer.SetMayRender(true);
  for (auto _ : state) benchmark::DoNotOptimize(app.RaiseIdle(&app));
  benchmark::DoNotOptimize(sink.Calls);
}
BENCHMARK(PowerTimerStep);

}  // namespace
