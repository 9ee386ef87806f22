// The frame-rate display: the meter's figure, the stroke font's strokes and the GL calls
// that draw a line of it over a frame without disturbing the frame's state.
#include "render/frame_rate_overlay.h"

#include <gtest/gtest.h>

#include "unit/test_data.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "gl/gl_constants.h"
#include "unit/render_test_support.h"

namespace {

using namespace render_test;

TEST(FrameRateMeter, ReadsTheFramesOfEachSecondAsTheDataFileSays) {
  int checked = 0;
  for (const std::string& line : ReadTestLines("frame_rate_text.txt")) {
    const auto arrow = line.find(" => ");
    FrameRateMeter meter;
    std::istringstream times(line.substr(0, arrow));
    for (double t; times >> t;) meter.FrameDrawn(t);
    EXPECT_EQ(meter.Text(), line.substr(arrow + 4)) << "frames at " << line.substr(0, arrow);
    ++checked;
  }
  EXPECT_GE(checked, 6);
}

TEST(StrokeFont, SevenSegmentFiguresPlacedGlyphByGlyph) {
  struct Case {
    const char* Text;
    std::size_t Strokes;
  } cases[] = {{"8", 7},
               {"1", 2},
               {"0", 6},
               {"7", 3},
               {"-", 1},
               {".", 1},
               {":", 2},
               {"FPS", 4 + 5 + 5},
               {" ", 0},
               {"x", 0},
               {"FPS: 60.0", 4 + 5 + 5 + 2 + 6 + 6 + 1 + 6}};
  for (const Case& c : cases) {
    EXPECT_EQ(LayOutStrokeText(c.Text, 0, 0, 16).size(), c.Strokes) << c.Text;
  }
  // Each glyph in its own cell: 16 high, 8 wide, the next one 12.8 further right.
  for (const StrokeSegment& s : LayOutStrokeText("88", 10, 20, 16)) {
    const bool first = s.X1 <= 18.0f;
    const float left = first ? 10.0f : 22.8f;
    for (const float x : {s.X1, s.X2}) {
      EXPECT_GE(x, left - 1e-4f);
      EXPECT_LE(x, left + 8.0f + 1e-4f);
    }
    for (const float y : {s.Y1, s.Y2}) {
      EXPECT_GE(y, 20.0f);
      EXPECT_LE(y, 36.0f);
    }
  }
}

class FrameRateDrawing : public RecordedCalls {};

TEST_F(FrameRateDrawing, AnOrthoPassInTheLowerLeftCornerThatPutsEverythingBack) {
  DrawFrameRateText("FPS: 60.0", 640, 480);
  const Lines calls = Calls();
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front(), Call("glPushAttrib", GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT |
                                                    GL_VIEWPORT_BIT));
  EXPECT_EQ(calls.back(), "glPopAttrib()");
  for (const GLenum cap : {GL_LIGHTING, GL_FOG, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_BLEND}) {
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call("glDisable", cap)), calls.end()) << cap;
  }
  const auto at = [&](const std::string& line) {
    return std::find(calls.begin(), calls.end(), line) - calls.begin();
  };
  EXPECT_LT(at(Call("glMatrixMode", GL_PROJECTION)), at("glOrtho(0,640,0,480,-1,1)"));
  EXPECT_LT(at("glOrtho(0,640,0,480,-1,1)"), at(Call("glBegin", GL_LINES)));
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "glPushMatrix()"), 2);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "glPopMatrix()"), 2);
  // Every vertex of the text's strokes, and nothing outside the corner.
  int vertices = 0;
  for (const std::string& line : calls) {
    float x = 0, y = 0, z = 0;
    if (std::sscanf(line.c_str(), "glVertex3f(%f,%f,%f)", &x, &y, &z) != 3) continue;
    ++vertices;
    EXPECT_TRUE(x >= kFrameRateTextMargin && x <= 200 && y >= kFrameRateTextMargin &&
                y <= kFrameRateTextMargin + kFrameRateTextHeight + 1)
        << line;
  }
  EXPECT_EQ(vertices, 2 * static_cast<int>(LayOutStrokeText("FPS: 60.0", 0, 0, 16).size()));
}

TEST_F(FrameRateDrawing, NothingForAWindowWithoutArea) {
  DrawFrameRateText("FPS: 60.0", 0, 480);
  EXPECT_TRUE(Calls().empty());
}

}  // namespace
