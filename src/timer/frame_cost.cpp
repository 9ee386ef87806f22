// FrameCostRecorder's arithmetic and the line it is printed as.
#include "timer/frame_cost.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void FrameCostRecorder::Start(const CostReading& now) {
  start_ = now;
  last_ = now;
  frameSeconds_.clear();
}

void FrameCostRecorder::FrameDone(const CostReading& now) {
  frameSeconds_.push_back(now.WallSeconds - last_.WallSeconds);
  last_ = now;
}

FrameCostSummary FrameCostRecorder::Summary() const {
  FrameCostSummary summary;
  if (frameSeconds_.empty()) return summary;
  std::vector<double> sorted = frameSeconds_;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t count = sorted.size();
  const double median =
      count % 2 == 1 ? sorted[count / 2] : (sorted[count / 2 - 1] + sorted[count / 2]) / 2;
  const auto rank = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(count)));
  const double frames = static_cast<double>(count);
  summary.Frames = static_cast<int64_t>(count);
  summary.MedianMs = median * 1000;
  summary.P95Ms = sorted[std::max<std::size_t>(rank, 1) - 1] * 1000;
  summary.ProcessCpuMsPerFrame =
      (last_.ProcessCpuSeconds - start_.ProcessCpuSeconds) * 1000 / frames;
  summary.ThreadCpuMsPerFrame = (last_.ThreadCpuSeconds - start_.ThreadCpuSeconds) * 1000 / frames;
  return summary;
}

std::string FormatFrameCost(const FrameCostSummary& summary) {
  char line[200];
  std::snprintf(line, sizeof line,
                "frames %lld median %.1f ms p95 %.1f ms cpu %.1f ms/frame thread %.1f ms/frame",
                static_cast<long long>(summary.Frames), summary.MedianMs, summary.P95Ms,
                summary.ProcessCpuMsPerFrame, summary.ThreadCpuMsPerFrame);
  return line;
}
