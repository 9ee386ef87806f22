// ReadCostClocks on Windows: the performance counter, and the kernel and user times of the
// process and of the calling thread.
#include <windows.h>

#include "timer/frame_cost.h"

namespace {

// FILETIME spans count 100-nanosecond steps.
double Seconds(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) * 1e-7;
}

}  // namespace

CostReading ReadCostClocks() {
  CostReading reading;
  LARGE_INTEGER frequency, counter;
  if (QueryPerformanceFrequency(&frequency) && QueryPerformanceCounter(&counter)) {
    reading.WallSeconds =
        static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
  }
  FILETIME created, exited, kernel, user;
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
    reading.ProcessCpuSeconds = Seconds(kernel) + Seconds(user);
  }
  if (GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) {
    reading.ThreadCpuSeconds = Seconds(kernel) + Seconds(user);
  }
  return reading;
}
