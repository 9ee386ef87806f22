// A FrameClock that moves only when a test moves it, and counts how often it is read.
#pragma once

#include "timer/frame_clock.h"

class FakeFrameClock final : public FrameClock {
 public:
  bool HasCounter = true;
  int64_t Frequency = 60'000'000;  // one sixtieth of a second is a whole number of counts
  int64_t Counter = 0;
  uint32_t Tick = 0;
  int CounterReads = 0;
  int TickReads = 0;

  std::optional<int64_t> TicksPerSecond() override {
    if (!HasCounter) return std::nullopt;
    return Frequency;
  }
  int64_t Ticks() override {
    ++CounterReads;
    return Counter;
  }
  uint32_t Milliseconds() override {
    ++TickReads;
    return Tick;
  }

  // Moves both clocks on together, as real time would.
  void AdvanceMs(int64_t milliseconds) {
    Counter += Frequency * milliseconds / 1000;
    Tick += static_cast<uint32_t>(milliseconds);
  }
};
