// The clocks the frame timer reads, behind one small interface so that tests can drive
// time by hand. Each platform supplies SystemFrameClock() in its own file.
#pragma once

#include <cstdint>
#include <optional>

class FrameClock {
 public:
  virtual ~FrameClock() = default;

  // How many ticks of the high-resolution counter make a second; nothing where the platform
  // has no such counter.
  virtual std::optional<int64_t> TicksPerSecond() = 0;
  // The high-resolution counter: ticks since some fixed start.
  virtual int64_t Ticks() = 0;
  // Milliseconds since some fixed start, wrapping at 32 bits.
  virtual uint32_t Milliseconds() = 0;
};

// The process's real clock.
FrameClock& SystemFrameClock();
