// The cost of drawn frames: wall-clock time per frame (median and 95th percentile) and the
// processor time of the whole process and of the drawing thread per frame. The platform
// only reads its clocks (ReadCostClocks); the recorder keeps the readings and does the
// arithmetic, so that any loop can time its frames and tests can feed it readings by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One look at the three clocks, in seconds from some fixed start each.
struct CostReading {
  double WallSeconds = 0;        // a monotonic clock
  double ProcessCpuSeconds = 0;  // processor time of every thread of the process
  double ThreadCpuSeconds = 0;   // processor time of the calling thread
};

// The calling thread's reading now (posix_cost_clock.cpp, win32_cost_clock.cpp).
CostReading ReadCostClocks();

struct FrameCostSummary {
  int64_t Frames = 0;
  double MedianMs = 0;  // of the wall-clock time of single frames
  double P95Ms = 0;     // nearest rank: no more than 5 % of the frames took longer
  double ProcessCpuMsPerFrame = 0;
  double ThreadCpuMsPerFrame = 0;
};

class FrameCostRecorder {
 public:
  // Measuring begins: the first frame's time runs from here.
  void Start(const CostReading& now);
  // A frame is finished; its time runs from the previous frame's end (or from Start).
  void FrameDone(const CostReading& now);
  // All zeros before the first finished frame.
  FrameCostSummary Summary() const;

 private:
  CostReading start_;
  CostReading last_;
  std::vector<double> frameSeconds_;
};

// One line for scripts to read:
// "frames 600 median 12.3 ms p95 20.1 ms cpu 18.0 ms/frame thread 7.9 ms/frame".
std::string FormatFrameCost(const FrameCostSummary& summary);
