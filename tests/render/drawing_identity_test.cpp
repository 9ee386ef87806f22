// The saver's drawing from vertex arrays, with its state cache and its view culling, gives
// the very pictures of the literal drawing: seeded flights (tests/data/
// drawing_identity_cases.txt) drawn both ways on OSMesa must agree byte for byte. Each
// way draws in a window of its own, from start-up on, so that what one frame leaves for
// the next is each drawing's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "render/headless_window.h"
#include "unit/test_data.h"

namespace {

struct FlightCase {
  uint64_t Seed = 0;
  Settings Pools;
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<int64_t> Frames;  // in increasing order
  std::string Text;
};

std::vector<FlightCase> ReadCases() {
  std::vector<FlightCase> cases;
  for (const std::vector<std::string>& row : ReadTestTable("drawing_identity_cases.txt")) {
    FlightCase c;
    c.Seed = std::stoull(row.at(0));
    std::sscanf(row.at(1).c_str(), "%d,%d,%d,%d", &c.Pools.MeteorCount, &c.Pools.SmokeCount,
                &c.Pools.ExplosionCount, &c.Pools.LightCount);
    std::sscanf(row.at(2).c_str(), "%dx%d", &c.Width, &c.Height);
    for (std::size_t i = 3; i < row.size(); ++i) c.Frames.push_back(std::stoll(row[i]));
    std::sort(c.Frames.begin(), c.Frames.end());
    for (const std::string& column : row) c.Text += column + " ";
    cases.push_back(c);
  }
  return cases;
}

// The pictures of the case's frames, drawn the given way after start-up and the steps.
std::vector<std::vector<uint8_t>> Pictures(const FlightCase& c, DrawingMethod method) {
  HeadlessWindow window(c.Width, c.Height);
  window.SetDrawingMethod(method);
  Scene scene;
  std::vector<std::string> trouble;
  window.CreateScene(scene, c.Pools, c.Seed, [&trouble](std::string_view text, std::string_view) {
    trouble.emplace_back(text);
  });
  EXPECT_TRUE(trouble.empty()) << trouble.front();
  std::vector<std::vector<uint8_t>> pictures;
  int64_t steps = 0;
  for (int64_t frame : c.Frames) {
    for (; steps < frame; ++steps) UpdateScene(scene);
    window.RenderFrame(scene);
    pictures.push_back(window.ReadRgbTopDown());
  }
  return pictures;
}

// Share of pixels that are not black: a picture that shows nothing proves nothing.
double LitShare(const std::vector<uint8_t>& rgb) {
  std::size_t lit = 0;
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
    lit += (rgb[i] | rgb[i + 1] | rgb[i + 2]) != 0;
  return static_cast<double>(lit) * 3.0 / static_cast<double>(rgb.size());
}

void PrintTo(const FlightCase& c, std::ostream* out) {
  *out << c.Text;
}

class DrawingIdentity : public ::testing::TestWithParam<FlightCase> {};

TEST_P(DrawingIdentity, ArraysDrawTheReferencePicturesByteForByte) {
  const FlightCase& c = GetParam();
  const auto reference = Pictures(c, DrawingMethod::Reference);
  const auto arrays = Pictures(c, DrawingMethod::Arrays);
  ASSERT_EQ(reference.size(), c.Frames.size());
  ASSERT_EQ(arrays.size(), c.Frames.size());
  for (std::size_t f = 0; f < c.Frames.size(); ++f) {
    SCOPED_TRACE("frame " + std::to_string(c.Frames[f]));
    EXPECT_GT(LitShare(reference[f]), 0.01);
    ASSERT_EQ(arrays[f].size(), reference[f].size());
    std::size_t differing = 0, first = 0;
    for (std::size_t i = 0; i < reference[f].size(); ++i) {
      if (arrays[f][i] == reference[f][i]) continue;
      if (differing++ == 0) first = i / 3;
    }
    EXPECT_EQ(differing, 0u) << "first differing pixel at x " << first % c.Width << ", y "
                             << first / c.Width << " from the top";
  }
}

INSTANTIATE_TEST_SUITE_P(SeededFlights, DrawingIdentity, ::testing::ValuesIn(ReadCases()),
                         [](const ::testing::TestParamInfo<FlightCase>& info) {
                           const FlightCase& c = info.param;
                           return "Seed" + std::to_string(c.Seed) + "Meteors" +
                                  std::to_string(c.Pools.MeteorCount) + "At" +
                                  std::to_string(c.Width) + "x" + std::to_string(c.Height);
                         });

}  // namespace
