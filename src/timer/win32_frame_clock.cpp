// FrameClock on Windows: the performance counter and GetTickCount themselves.
#include <windows.h>

#include "timer/frame_clock.h"

namespace {

class Win32FrameClock final : public FrameClock {
 public:
  bool QueryPerformanceFrequency(int64_t& frequency) override {
    LARGE_INTEGER value{};
    if (!::QueryPerformanceFrequency(&value)) return false;
    frequency = value.QuadPart;
    return true;
  }
  int64_t QueryPerformanceCounter() override {
    LARGE_INTEGER value{};
    ::QueryPerformanceCounter(&value);
    return value.QuadPart;
  }
  uint32_t GetTickCount() override { return ::GetTickCount(); }
};

}  // namespace

FrameClock& SystemFrameClock() {
  static Win32FrameClock clock;
  return clock;
}
