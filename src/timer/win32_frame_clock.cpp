// FrameClock on Windows: the performance counter and GetTickCount themselves.
#include <windows.h>

#include "timer/frame_clock.h"

namespace {

class Win32FrameClock final : public FrameClock {
 public:
  std::optional<int64_t> TicksPerSecond() override {
    LARGE_INTEGER value{};
    if (!QueryPerformanceFrequency(&value)) return std::nullopt;
    return value.QuadPart;
  }
  int64_t Ticks() override {
    LARGE_INTEGER value{};
    QueryPerformanceCounter(&value);
    return value.QuadPart;
  }
  uint32_t Milliseconds() override { return GetTickCount(); }
};

}  // namespace

FrameClock& SystemFrameClock() {
  static Win32FrameClock clock;
  return clock;
}
