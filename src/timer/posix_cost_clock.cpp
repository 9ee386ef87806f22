// ReadCostClocks on POSIX: the monotonic clock, getrusage for the process and the calling
// thread's own processor-time clock.
#include <sys/resource.h>
#include <time.h>

#include "timer/frame_cost.h"

namespace {

double Seconds(const timespec& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

}  // namespace

CostReading ReadCostClocks() {
  CostReading reading;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  reading.WallSeconds = Seconds(now);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  reading.ProcessCpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  timespec thread{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &thread);
  reading.ThreadCpuSeconds = Seconds(thread);
  return reading;
}
