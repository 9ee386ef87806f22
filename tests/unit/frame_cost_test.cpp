// FrameCostRecorder: per-frame times, their median and 95th percentile, processor time per
// frame, and the line scripts read, from the cases in tests/data/frame_cost_cases.txt.
#include "timer/frame_cost.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "unit/test_data.h"

namespace {

// "12,10x3" is 12, 10, 10, 10.
std::vector<double> Durations(const std::string& text) {
  std::vector<double> durations;
  if (text == "none") return durations;
  std::istringstream items(text);
  for (std::string item; std::getline(items, item, ',');) {
    const std::size_t times = item.find('x');
    const int count = times == std::string::npos ? 1 : std::stoi(item.substr(times + 1));
    durations.insert(durations.end(), count, ParseDouble(item.substr(0, times)));
  }
  return durations;
}

TEST(FrameCost, SummarisesTheFramesAsTheDataFileSays) {
  const auto rows = ReadTestTable("frame_cost_cases.txt");
  ASSERT_GE(rows.size(), 6u);
  for (const std::vector<std::string>& row : rows) {
    const std::vector<double> durations = Durations(row.at(0));
    const double process = ParseDouble(row.at(1)) / 1000;
    const double thread = ParseDouble(row.at(2)) / 1000;
    std::string line;
    for (std::size_t i = 3; i < row.size(); ++i) line += (i > 3 ? " " : "") + row[i];

    // Clocks that start far from zero, with the processor time spread over the frames.
    CostReading now{5000.0, 12.0, 3.0};
    FrameCostRecorder recorder;
    recorder.Start(now);
    for (double ms : durations) {
      now.WallSeconds += ms / 1000;
      now.ProcessCpuSeconds += process / static_cast<double>(durations.size());
      now.ThreadCpuSeconds += thread / static_cast<double>(durations.size());
      recorder.FrameDone(now);
    }
    EXPECT_EQ(FormatFrameCost(recorder.Summary()), line) << row.at(0);
  }
}

// The real clocks run forward, and the thread's processor time within the process's.
TEST(FrameCost, TheSystemClocksMeasureWorkDone) {
  const CostReading before = ReadCostClocks();
  // Busy for 0.3 s of wall-clock time: more than the coarsest processor clock's tick.
  volatile double sink = 0;
  CostReading after = before;
  while (after.WallSeconds - before.WallSeconds < 0.3) {
    for (int i = 0; i < 100'000; ++i) sink = sink + i * 0.5;
    after = ReadCostClocks();
  }
  EXPECT_GT(after.WallSeconds, before.WallSeconds);
  EXPECT_GT(after.ThreadCpuSeconds, before.ThreadCpuSeconds);
  EXPECT_GE(after.ProcessCpuSeconds - before.ProcessCpuSeconds + 0.02,
            after.ThreadCpuSeconds - before.ThreadCpuSeconds);
}

}  // namespace
