// The clocks the frame timer reads, behind one small interface so that tests can drive
// time by hand. Each platform supplies SystemFrameClock() in its own file.
#pragma once

#include <cstdint>

class FrameClock {
 public:
  virtual ~FrameClock() = default;

  // False when the platform has no high-resolution counter; otherwise stores its ticks
  // per second.
  virtual bool QueryPerformanceFrequency(int64_t& frequency) = 0;
  virtual int64_t QueryPerformanceCounter() = 0;
  // Milliseconds since some fixed start, wrapping at 32 bits.
  virtual uint32_t GetTickCount() = 0;
};

// The process's real clock.
FrameClock& SystemFrameClock();
