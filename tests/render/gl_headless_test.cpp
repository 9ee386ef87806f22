// The OSMesa binding: every entry resolves, and a sphere drawn by GLU through the tables
// lands in the off-screen buffer, which proves GLU's own GL calls reach OSMesa. The
// recording layer forwards to the same tables and still draws.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"
#include "gl/gl_recording.h"
#include "gl/headless_gl_binding.h"

namespace {

using Rgba = std::array<std::uint8_t, 4>;

constexpr int kSize = 64;

class OsMesaBinding : public ::testing::Test {
 protected:
  void SetUp() override {
    surface_.MakeCurrent();
    BindOsMesaEntries();
  }
  void TearDown() override {
    GL = GlEntries{};
    GLu = GluEntries{};
  }

  // A blue background and a red sphere of radius 1.5 five units in front of the eye.
  void DrawRedSphere() {
    GL.glViewport(0, 0, kSize, kSize);
    GL.glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    GL.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GL.glMatrixMode(GL_PROJECTION);
    GL.glLoadIdentity();
    GLu.gluPerspective(60.0, 1.0, 0.1, 100.0);
    GL.glMatrixMode(GL_MODELVIEW);
    GL.glLoadIdentity();
    GL.glTranslatef(0.0f, 0.0f, -5.0f);
    GL.glColor3f(1.0f, 0.0f, 0.0f);
    GLUquadric* quadric = GLu.gluNewQuadric();
    GLu.gluSphere(quadric, 1.5, 20, 20);
    GLu.gluDeleteQuadric(quadric);
    GL.glFinish();
  }

  Rgba ReadPixel(int x, int y) {
    Rgba pixel{};
    GL.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
  }

  HeadlessBuffer surface_{kSize, kSize};
};

const Rgba kBlue{0, 0, 255, 255};
const Rgba kRed{255, 0, 0, 255};

TEST_F(OsMesaBinding, EveryEntryResolves) {
  EXPECT_THAT(MissingGlEntries(), ::testing::IsEmpty());
  EXPECT_THAT(MissingGluEntries(), ::testing::IsEmpty());
}

TEST_F(OsMesaBinding, GluSphereDrawsIntoTheSurface) {
  DrawRedSphere();
  EXPECT_EQ(GL.glGetError(), GL_NO_ERROR);
  EXPECT_EQ(ReadPixel(kSize / 2, kSize / 2), kRed);
  EXPECT_EQ(ReadPixel(1, 1), kBlue);
  EXPECT_EQ(ReadPixel(kSize - 2, kSize - 2), kBlue);
  // The surface's own buffer holds the same picture, bottom row first.
  const auto& pixels = surface_.Pixels();
  const std::size_t centre = (std::size_t(kSize / 2) * kSize + kSize / 2) * 4;
  EXPECT_EQ(Rgba({pixels[centre], pixels[centre + 1], pixels[centre + 2], pixels[centre + 3]}),
            kRed);
}

TEST_F(OsMesaBinding, ForwardingRecorderLogsAndStillDraws) {
  GlRecorder recorder(GlRecorder::Forwarding::On);
  recorder.Start();
  DrawRedSphere();
  GLint viewport[4] = {};
  GL.glGetIntegerv(GL_VIEWPORT, viewport);
  recorder.Stop();
  EXPECT_THAT(viewport, ::testing::ElementsAre(0, 0, kSize, kSize));
  EXPECT_EQ(ReadPixel(kSize / 2, kSize / 2), kRed);
  EXPECT_THAT(recorder.Lines(),
              ::testing::ElementsAre(
                  "glViewport(0,0,64,64)", "glClearColor(0,0,1,1)", "glClear(16640)",
                  "glMatrixMode(5889)", "glLoadIdentity()", "gluPerspective(60,1,0.1,100)",
                  "glMatrixMode(5888)", "glLoadIdentity()", "glTranslatef(0,0,-5)",
                  "glColor3f(1,0,0)", "gluNewQuadric()", "gluSphere(quadric,1.5,20,20)",
                  "gluDeleteQuadric(quadric)", "glFinish()", "glGetIntegerv(2978)"));
}

TEST_F(OsMesaBinding, RecorderWithoutForwardingLeavesTheSurfaceAlone) {
  GL.glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  GL.glClear(GL_COLOR_BUFFER_BIT);
  GlRecorder recorder(GlRecorder::Forwarding::Off);
  recorder.Start();
  DrawRedSphere();
  recorder.Stop();
  GL.glFinish();
  EXPECT_EQ(ReadPixel(kSize / 2, kSize / 2), kBlue);
  EXPECT_FALSE(recorder.Lines().empty());
}

TEST(HeadlessBufferSize, RefusesAnEmptySurface) {
  EXPECT_THROW(HeadlessBuffer(0, 64), std::runtime_error);
  EXPECT_THROW(HeadlessBuffer(64, -1), std::runtime_error);
}

}  // namespace
