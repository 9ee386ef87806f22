// A timer step must not allocate: it runs on every turn of the message loop. This file
// replaces the global allocation functions of its test executable to count calls.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "timer/power_timer.h"
#include "unit/fake_frame_clock.h"

namespace {
std::atomic<long> allocations{0};

void* CountedAllocation(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
  return CountedAllocation(size);
}
void* operator new[](std::size_t size) {
  return CountedAllocation(size);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace {

struct Sink {
  long Calls = 0;
  void Notify(void*) { ++Calls; }
  void RealTime(void*, double) { ++Calls; }
};

TEST(PowerTimerAllocation, StepsAllocateNothing) {
  FakeFrameClock clock;
  ApplicationEvents app;
  TPowerTimer timer(app, clock);
  Sink sink;
  timer.OnRender = TNotifyEvent::Bind<&Sink::Notify>(&sink);
  timer.OnProcess = TNotifyEvent::Bind<&Sink::Notify>(&sink);
  timer.OnRealTime = TRealTimeEvent::Bind<&Sink::RealTime>(&sink);
  timer.OnAppIdle = TNotifyEvent::Bind<&Sink::Notify>(&sink);
  timer.SetMayProcess(true);
  timer.SetMayRender(true);
  timer.SetMayRealTime(true);

  const long before = allocations;
  ::operator delete(::operator new(1));  // proves the counting replacement is in use
  ASSERT_EQ(allocations - before, 1);
  for (int step = 0; step < 20'000; ++step) {
    clock.AdvanceMs(step % 7 == 0 ? 2500 : step % 40);  // gaps, caps and rate measurements
    app.RaiseIdle(&app);
  }
  app.RaiseDeactivate(&app);
  app.RaiseActivate(&app);
  EXPECT_EQ(allocations - before, 1);
  EXPECT_GT(sink.Calls, 60'000);
  EXPECT_NE(timer.MeasuredRate(), 0);
}

}  // namespace
