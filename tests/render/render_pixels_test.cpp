// Frames rendered for real on an off-screen OSMesa surface through the saver's own
// start-up and frame code: what a user would see, and the GL state a frame leaves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"
#include "render/billboards.h"
#include "render/headless_window.h"
#include "render/ship_frame.h"

namespace {

using Rgb = std::array<int, 3>;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

int Brightness(const Rgb& c) {
  return c[0] + c[1] + c[2];
}

class RenderedFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.CreateScene(
        scene_, Settings{0, 0, 0, 0}, 1,
        [this](std::string_view text, std::string_view) { messages_.emplace_back(text); });
    ASSERT_TRUE(messages_.empty()) << messages_.front();
  }
  void TearDown() override {
    GL = GlEntries{};
    GLu = GluEntries{};
  }

  // A still view from (0, 15.3, 0) straight down the negative z axis, upright, field of
  // view 50; the ship far ahead, small and fogged, just below the middle.
  void StillView() {
    scene_.SceneClock = 0;
    scene_.FlightSpeed = 0;
    scene_.UpX = 0;
    scene_.UpY = 4;
    scene_.ShipX = scene_.ShipY = 0;
    scene_.ShipZ = -1400;
    scene_.FlightMode = 9;  // no rocking
  }

  // An untextured white sphere on the line of sight, at the given depth.
  void PlaceWhiteBall(double z, double radius) {
    SceneParticle ball;
    ball.Alive = 1;
    ball.X = 0;
    ball.Y = 15.3;
    ball.Z = z;
    ball.Red = ball.Green = ball.Blue = 1.0f;
    ball.Radius = radius;
    ball.Slices = ball.Stacks = 24;
    scene_.Particles = {ball};
  }

  void Render() {
    window_.RenderFrame(scene_);
    picture_ = window_.ReadRgbTopDown();
  }

  // x from the left, y from the top.
  Rgb Pixel(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * kWidth + x) * 3;
    return {picture_[at], picture_[at + 1], picture_[at + 2]};
  }
  // Above the middle, clear of the distant ship.
  Rgb Probe() const { return Pixel(kWidth / 2, kHeight / 2 - 10); }

  HeadlessWindow window_{kWidth, kHeight};
  Scene scene_;
  std::vector<std::string> messages_;
  std::vector<uint8_t> picture_;
};

TEST_F(RenderedFrame, AFlightShowsTexturedMeteorsAndMore) {
  InitScene(scene_, kDefaultSettings, 20261208);
  for (int frame = 0; frame < 600; ++frame) UpdateScene(scene_);
  Render();
  int lit = 0;
  std::set<Rgb> colours;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb c = Pixel(x, y);
      lit += Brightness(c) > 24;
      colours.insert(c);
    }
  }
  EXPECT_GT(lit, kWidth * kHeight / 20);
  EXPECT_GT(colours.size(), 500u);  // textured, lit and fogged, not a few flat colours
}

TEST_F(RenderedFrame, FogDarkensWithDistance) {
  StillView();
  // The same size on screen, once 100 and once 800 units ahead.
  PlaceWhiteBall(-100, 10);
  Render();
  const Rgb near = Probe();
  PlaceWhiteBall(-800, 80);
  Render();
  const Rgb far = Probe();
  EXPECT_GT(Brightness(near), 150);
  EXPECT_GT(Brightness(far), 0);
  EXPECT_LT(Brightness(far) * 2, Brightness(near));
}

TEST_F(RenderedFrame, PictureRowsRunFromTheTopDown) {
  StillView();
  PlaceWhiteBall(-100, 10);
  scene_.Particles[0].Y += 25;  // above the line of sight
  Render();
  EXPECT_GT(Brightness(Pixel(kWidth / 2, kHeight / 4)), 150);
  EXPECT_EQ(Brightness(Pixel(kWidth / 2, kHeight * 3 / 4)), 0);
}

TEST_F(RenderedFrame, AFlashShowsOrangeOverTheBlack) {
  StillView();
  ExplosionFlash flash;
  flash.Alive = 1;
  flash.Y = 15.3;
  flash.Z = -100;
  flash.Radius = 20;
  flash.Alpha = 0.3;
  scene_.Flashes = {flash};
  Render();
  const Rgb seen = Probe();
  EXPECT_GT(seen[0], 30);
  EXPECT_GT(seen[1], seen[0] / 3);
  EXPECT_LT(seen[1], seen[0]);
  EXPECT_LT(seen[2], seen[1] / 2);
}

// A glow is centred at twice its light's position, so a light 750 units ahead or
// nearer has its glow inside the far plane (1500) and a light farther away has none,
// although the light itself is well inside.
TEST_F(RenderedFrame, AGlowShowsAtTwiceItsLightsPosition) {
  StillView();
  LightBeacon light;
  light.Y = 7.65;  // twice that is the eye's height: the glow's middle is on the line of sight
  light.Dir = {0.0f, 0.0f, 1.0f};
  light.Red = light.Green = light.Blue = 1.0;

  light.Z = -700;
  scene_.Lights = {light};
  Render();
  const Rgb middle = Probe();
  const Rgb corner = Pixel(2, 2);
  EXPECT_GT(Brightness(middle), 6);
  EXPECT_GT(Brightness(middle), Brightness(corner));  // the smoke image fades to its edges

  light.Z = -760;
  scene_.Lights = {light};
  Render();
  EXPECT_EQ(Brightness(Probe()), 0);
}

TEST_F(RenderedFrame, TheSameSeedRendersTheSamePicture) {
  InitScene(scene_, kDefaultSettings, 77);
  for (int frame = 0; frame < 200; ++frame) UpdateScene(scene_);
  Render();
  const std::vector<uint8_t> first = picture_;

  Scene again;
  InitScene(again, kDefaultSettings, 77);
  for (int frame = 0; frame < 200; ++frame) UpdateScene(again);
  window_.RenderFrame(again);
  EXPECT_TRUE(window_.ReadRgbTopDown() == first);
}

GLint Integer(GLenum pname) {
  GLint value = -1;
  GL.glGetIntegerv(pname, &value);
  return value;
}

TEST_F(RenderedFrame, AFrameLeavesTheStateTheNextOneReliesOn) {
  InitScene(scene_, kDefaultSettings, 5);
  for (int frame = 0; frame < 300; ++frame) UpdateScene(scene_);
  scene_.ShotCooldown = 3;
  Render();
  EXPECT_EQ(GL.glGetError(), GL_NO_ERROR);
  EXPECT_EQ(Integer(GL_MATRIX_MODE), static_cast<GLint>(GL_MODELVIEW));
  EXPECT_EQ(Integer(GL_MODELVIEW_STACK_DEPTH), 1);
  EXPECT_EQ(Integer(GL_ATTRIB_STACK_DEPTH), 0);
  EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_TRUE);
  for (GLenum off : {GL_BLEND, GL_CULL_FACE, GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T}) {
    EXPECT_EQ(GL.glIsEnabled(off), GL_FALSE) << off;
  }
  for (GLenum on : {GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_COLOR_MATERIAL, GL_FOG, GL_DEPTH_TEST}) {
    EXPECT_EQ(GL.glIsEnabled(on), GL_TRUE) << on;
  }
  // The fixed state is untouched by the frame.
  EXPECT_EQ(Integer(GL_FOG_MODE), static_cast<GLint>(GL_EXP));
  EXPECT_EQ(Integer(GL_DEPTH_FUNC), static_cast<GLint>(GL_LEQUAL));
  EXPECT_EQ(Integer(GL_BLEND_SRC), static_cast<GLint>(GL_SRC_ALPHA));
  GLint envMode = 0;
  GL.glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
  EXPECT_EQ(envMode, static_cast<GLint>(GL_MODULATE));  // though loading left DECAL
}

// ---- the view axes and the ship's frame on real matrices --------------------------------

class RealMatrices : public RenderedFrame {
 protected:
  std::array<GLfloat, 16> ModelView() {
    std::array<GLfloat, 16> m{};
    GL.glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
  }
  // Where the frame's origin lands: the translation column.
  std::array<float, 3> Origin() {
    const auto m = ModelView();
    return {m[12], m[13], m[14]};
  }
};

TEST_F(RealMatrices, ViewAxesAreTheRowsOfTheModelViewRotation) {
  GL.glMatrixMode(GL_MODELVIEW);
  GL.glLoadIdentity();
  GL.glRotatef(90.0f, 0.0f, 0.0f, 1.0f);  // the world turned a quarter about z
  const ViewAxes axes = ReadViewAxes();
  // The viewer's right now points along the world's -y, its up along +x.
  EXPECT_NEAR(axes.Right.X, 0.0f, 1e-6f);
  EXPECT_NEAR(axes.Right.Y, -1.0f, 1e-6f);
  EXPECT_NEAR(axes.Up.X, 1.0f, 1e-6f);
  EXPECT_NEAR(axes.Up.Y, 0.0f, 1e-6f);
  EXPECT_NEAR(axes.Towards.Z, 1.0f, 1e-6f);
}

TEST_F(RealMatrices, HalfALoopCarriesTheShipAcrossItsPivot) {
  scene_.ShipX = 2;
  scene_.ShipY = 3;
  scene_.ShipZ = -50;
  scene_.FlightMode = kLoopManoeuvre;
  scene_.ManoeuvreAngle = 180;
  const float expectedY[] = {3 + 18, 3 - 18, 3 + 30, 3 - 30};  // pivots 9, -9, 15, -15
  for (uint8_t variant = 0; variant < 4; ++variant) {
    scene_.ManoeuvreVariant = variant;
    GL.glLoadIdentity();
    ApplyShipFrame(scene_);
    const auto origin = Origin();
    EXPECT_NEAR(origin[0], 2.0f, 1e-4f) << int(variant);
    EXPECT_NEAR(origin[1], expectedY[variant], 1e-4f) << int(variant);
    EXPECT_NEAR(origin[2], -50.0f, 1e-4f) << int(variant);
  }
}

}  // namespace
