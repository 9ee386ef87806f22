// The fixed GL state and the projection, seen as the calls they make: InitGL, ResizeGL,
// the fixed render state and its place at the end of scene start-up, the quadric.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gl/gl_constants.h"
#include "render/render_state.h"
#include "unit/render_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace render_test;

class RenderState : public RecordedCalls {};

TEST_F(RenderState, InitGLSetsClearValuesDepthTestShadingAndAWideProjection) {
  InitGL(800, 600);
  EXPECT_THAT(Calls(), ElementsAre(Call("glClearColor", 0, 0, 0, 1), Call("glClearDepth", 1),
                                   Call("glEnable", GL_DEPTH_TEST), Call("glDepthFunc", GL_LEQUAL),
                                   Call("glMatrixMode", GL_PROJECTION), "glLoadIdentity()",
                                   Call("gluPerspective", 120, 800.0 / 600.0, 0.2, 1000),
                                   Call("glMatrixMode", GL_MODELVIEW), "glLoadIdentity()",
                                   Call("glShadeModel", GL_SMOOTH)));
}

TEST_F(RenderState, InitGLTakesAZeroHeightAsOne) {
  InitGL(640, 0);
  EXPECT_THAT(Calls(), ::testing::Contains(Call("gluPerspective", 120, 640, 0.2, 1000)));
}

TEST_F(RenderState, ResizeGLSetsViewportAndPerspectiveAndLeavesTheModelViewIdentity) {
  ResizeGL(800, 600, 0.0);
  EXPECT_THAT(Calls(),
              ElementsAre(Call("glViewport", 0, 0, 800, 600), Call("glMatrixMode", GL_PROJECTION),
                          "glLoadIdentity()", Call("gluPerspective", 50, 800.0 / 600.0, 0.2, 1500),
                          Call("glMatrixMode", GL_MODELVIEW), "glLoadIdentity()"));
}

TEST_F(RenderState, ResizeGLFieldOfViewWidensWithFlightSpeed) {
  ResizeGL(800, 600, 25.0);
  ResizeGL(800, 600, 5.0);
  ResizeGL(800, 600, 15.5);
  Lines perspectives;
  for (const std::string& line : Calls()) {
    if (line.starts_with("gluPerspective")) perspectives.push_back(line);
  }
  EXPECT_THAT(perspectives, ElementsAre(Call("gluPerspective", 75, 800.0 / 600.0, 0.2, 1500),
                                        Call("gluPerspective", 55, 800.0 / 600.0, 0.2, 1500),
                                        Call("gluPerspective", 65.5, 800.0 / 600.0, 0.2, 1500)));
}

TEST_F(RenderState, ResizeGLTakesAZeroHeightAsOneAndNeverDividesIntegers) {
  ResizeGL(640, 0, 0.0);
  EXPECT_THAT(Calls(), ::testing::IsSupersetOf({Call("glViewport", 0, 0, 640, 1),
                                                Call("gluPerspective", 50, 640, 0.2, 1500)}));
  ResizeGL(5, 3, 0.0);  // 1 in integer arithmetic
  EXPECT_THAT(Calls(), ::testing::Contains(Call("gluPerspective", 50, 5.0 / 3.0, 0.2, 1500)));
}

TEST_F(RenderState, FixedStateSetsExponentialFogBlendFunctionLightModelAndModulate) {
  SetFixedRenderState();
  EXPECT_THAT(Calls(),
              ElementsAre(Call("glEnable", GL_FOG), Call("glFogf", GL_FOG_START, 500),
                          Call("glFogf", GL_FOG_END, 980), Call("glFogi", GL_FOG_MODE, GL_EXP),
                          Call("glFogf", GL_FOG_DENSITY, 0.0015f),
                          Call("glFogfv", GL_FOG_COLOR, "[0,0,0,0]"),
                          Call("glHint", GL_FOG_HINT, GL_FASTEST),
                          Call("glBlendFunc", GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA),
                          Call("glLightModeli", GL_LIGHT_MODEL_LOCAL_VIEWER, 1),
                          Call("glTexEnvf", GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, 8448)));
}

// The saver's start-up: textures right after seeding, the fixed state last of all, so
// that MODULATE replaces the DECAL the environment-mapped images leave.
TEST_F(RenderState, SceneStartUpLoadsTexturesFirstAndSetsTheFixedStateLast) {
  std::vector<std::string> messages;
  Scene scene;
  InitScene(scene, Settings{3, 2, 1, 1}, 7,
            RenderInitHooks(
                [&](std::string_view text, std::string_view) { messages.emplace_back(text); }));
  const Lines calls = Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), "glGenTextures(10)");
  EXPECT_EQ(calls.back(), Call("glTexEnvf", GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, 8448));
  const auto lastDecal = std::find(calls.rbegin(), calls.rend(),
                                   Call("glTexEnvf", GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, 8449));
  const auto fog = std::find(calls.begin(), calls.end(), Call("glEnable", GL_FOG));
  ASSERT_NE(lastDecal, calls.rend());
  ASSERT_NE(fog, calls.end());
  EXPECT_LT(calls.rend() - lastDecal - 1, fog - calls.begin());
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                          [](const std::string& line) { return line.starts_with("glTexImage2D"); }),
            3);
  EXPECT_THAT(messages, IsEmpty());
  EXPECT_EQ(scene.Particles.size(), 3u);  // the pools were built between the two
}

GLUquadric* ORVANTA_GLAPI NoQuadric() {
  return nullptr;
}

TEST(Quadric, CreatedThroughGluAndRefusedWhenGluHasNone) {
  const GluEntries saved = GLu;
  GLu.gluNewQuadric = NoQuadric;
  EXPECT_THROW(CreateQuadric(), RenderError);
  GLu = saved;

  GlRecorder recorder;
  recorder.Start();
  EXPECT_NE(CreateQuadric(), nullptr);
  recorder.Stop();
  EXPECT_THAT(recorder.Lines(), ElementsAre("gluNewQuadric()"));
}

}  // namespace
