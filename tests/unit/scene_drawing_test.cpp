// One frame of the scene, stage by stage, seen as the calls it makes for small hand-made
// scenes: the view, the lights, the glows, meteors and debris, flashes, smoke, the ship,
// the lasers, and the frame as a whole.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "gl/gl_constants.h"
#include "render/scene_drawing.h"
#include "textures/textures.h"
#include "unit/render_test_support.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;
using namespace render_test;

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string TextureName(int slot) {
  return std::to_string(101 + slot);
}
Lines BindObjectLinearCalls(int slot) {
  return {"glBindTexture(3553," + TextureName(slot) + ")", "glTexGeni(8192,9472,9217)",
          "glTexGeni(8193,9472,9217)", "glEnable(3553)"};
}
Lines BindSphereMappedCalls(int slot) {
  return {"glBindTexture(3553," + TextureName(slot) + ")",
          "glTexGeni(8192,9472,9218)",
          "glTexGeni(8193,9472,9218)",
          "glEnable(3168)",
          "glEnable(3169)",
          "glEnable(3553)"};
}
const Lines kUnbind = {"glDisable(3168)", "glDisable(3169)", "glDisable(3553)"};

// The quad of DrawBillboard with the identity view: right (1, 0, 0), up (0, 1, 0).
Lines UprightSquare(float x, float y, float z, float s) {
  return {Call("glBegin", GL_QUADS),           "glTexCoord2f(0,0)",
          Call("glVertex3f", x - s, y - s, z), "glTexCoord2f(1,0)",
          Call("glVertex3f", x + s, y - s, z), "glTexCoord2f(1,1)",
          Call("glVertex3f", x + s, y + s, z), "glTexCoord2f(0,1)",
          Call("glVertex3f", x - s, y + s, z), "glEnd()"};
}

Lines Matching(const Lines& calls, std::string_view prefix) {
  Lines found;
  for (const std::string& line : calls) {
    if (line.starts_with(prefix)) found.push_back(line);
  }
  return found;
}

// The numbers inside "name(a,b,c)".
std::vector<double> Numbers(const std::string& line) {
  std::vector<double> numbers;
  std::string rest = line.substr(line.find('(') + 1);
  rest.pop_back();
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t comma = std::min(rest.find(',', start), rest.size());
    numbers.push_back(std::stod(rest.substr(start, comma - start)));
    start = comma + 1;
  }
  return numbers;
}

SmokePuff Puff(double x, double y, double z, double life, uint8_t kind = 0) {
  SmokePuff puff;
  puff.Alive = 1;
  puff.X = x;
  puff.Y = y;
  puff.Z = z;
  puff.Life = life;
  puff.Kind = kind;
  return puff;
}

// Expected lines ending in "..." stand for any line that starts with the rest (the hash of
// a mesh's indices, say).
::testing::Matcher<const std::string&> LineLike(const std::string& expected) {
  if (expected.ends_with("..."))
    return ::testing::StartsWith(expected.substr(0, expected.size() - 3));
  return ::testing::Eq(expected);
}
void ExpectCalls(const Lines& actual, const Lines& expected) {
  std::vector<::testing::Matcher<const std::string&>> matchers;
  for (const std::string& line : expected) matchers.push_back(LineLike(line));
  EXPECT_THAT(actual, ElementsAreArray(matchers));
}

// The client arrays spheres are drawn from: one interleaved array of 32 bytes a vertex,
// pointed at once.
const Lines kArraysOn = {"glVertexPointer(3,5126,32,array)", "glNormalPointer(5126,32,array)",
                         "glTexCoordPointer(2,5126,32,array)",
                         Call("glEnableClientState", GL_VERTEX_ARRAY),
                         Call("glEnableClientState", GL_NORMAL_ARRAY)};
// Triangles of a mesh: indices from 36 up are logged as a hash.
std::string Triangles(int count) {
  return "glDrawElements(4," + std::to_string(count) + ",5123,...";
}

class SceneDrawing : public RecordedCalls {
 protected:
  FrameDrawing Frame(DrawingMethod method) { return FrameDrawing(quadric_, method); }

  RenderTarget target_{320, 240, [this] { recorder_.Mark("SwapBuffers"); }};
};

constexpr DrawingMethod kBothMethods[] = {DrawingMethod::Reference, DrawingMethod::Arrays};

// ---- frame and view ---------------------------------------------------------------------

TEST_F(SceneDrawing, RenderFrameClearsDrawsAndSwapsLast) {
  RenderFrame(EmptyScene(), target_, quadric_);
  const Lines calls = Calls();
  ASSERT_GT(calls.size(), 4u);
  EXPECT_THAT(Lines(calls.begin(), calls.begin() + 3),
              ElementsAre(Call("glClear", GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT),
                          "glLoadIdentity()", Call("glViewport", 0, 0, 320, 240)));
  EXPECT_EQ(calls.back(), "SwapBuffers");
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "SwapBuffers"), 1);
}

TEST_F(SceneDrawing, ViewFollowsFlightSpeedAndLooksAtTheShip) {
  Scene scene = EmptyScene();
  scene.FlightSpeed = 10;
  scene.ShipX = 1;
  scene.ShipZ = -50;
  scene.UpX = 0.5;
  SetProjectionAndView(scene, RenderTarget{400, 300, {}});
  EXPECT_THAT(Calls(),
              ElementsAre(Call("glViewport", 0, 0, 400, 300), Call("glMatrixMode", GL_PROJECTION),
                          "glLoadIdentity()", Call("gluPerspective", 60, 400.0 / 300.0, 0.2, 1500),
                          Call("glMatrixMode", GL_MODELVIEW), "glLoadIdentity()",
                          Call("gluLookAt", 0, 15.3, 0, 1, 15.3, -41, 0.5, 4, 0)));
}

TEST_F(SceneDrawing, EyeAndLookAtPointSwayWithTheClock) {
  Scene scene = EmptyScene();
  scene.SceneClock = 37.3;
  scene.ShipX = 2;
  scene.ShipY = -3;
  scene.ShipZ = -60;
  SetProjectionAndView(scene, target_);
  const Lines lookAt = Matching(Calls(), "gluLookAt");
  ASSERT_EQ(lookAt.size(), 1u);
  const double t = 37.3;
  const std::vector<double> expected = {14.3 * std::sin(t / 10),
                                        15.3 * std::cos(t / 9),
                                        0,
                                        14.3 * std::sin(t / 7.3) + 2,
                                        15.3 * std::cos(t / 5.31) - 3,
                                        9 * std::cos(t / 13) - 60,
                                        0,
                                        4,
                                        0};
  const std::vector<double> actual = Numbers(lookAt[0]);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_DOUBLE_EQ(actual[i], expected[i]) << i;
}

// ---- lights -----------------------------------------------------------------------------

TEST_F(SceneDrawing, FixedLightsPlaceTheHeadlightInTheShipFrameAndSwitchOffTheRest) {
  Scene scene = EmptyScene();
  scene.ShipX = 1;
  scene.ShipY = 2;
  scene.ShipZ = -30;
  SetFixedLights(scene);
  EXPECT_THAT(
      Calls(),
      ElementsAre(Call("glEnable", GL_LIGHTING), Call("glEnable", GL_LIGHT0),
                  Call("glEnable", GL_LIGHT1), "glPushMatrix()", "glTranslatef(1,2,-30)",
                  "glRotatef(0,0,0,1)", Call("glLightfv", GL_LIGHT1, GL_POSITION, "[0,0,0,-9]"),
                  Call("glLightfv", GL_LIGHT1, GL_AMBIENT, "[0.9,0.9,0.75,1]"),
                  Call("glLightfv", GL_LIGHT1, GL_DIFFUSE, "[1,1,1,1]"),
                  Call("glLightfv", GL_LIGHT1, GL_SPECULAR, "[1,1,0.92,1]"),
                  Call("glLightfv", GL_LIGHT1, GL_SPOT_DIRECTION, "[0,0,-2]"),
                  Call("glLightf", GL_LIGHT1, GL_SPOT_CUTOFF, 80),
                  Call("glLightf", GL_LIGHT1, GL_SPOT_EXPONENT, 10), "glPopMatrix()",
                  Call("glLightfv", GL_LIGHT0, GL_POSITION, "[50,-20,10,1]"),
                  Call("glLightfv", GL_LIGHT0, GL_AMBIENT, "[0.2,0.1,0.15,1]"),
                  Call("glLightfv", GL_LIGHT0, GL_DIFFUSE, "[0.25,0.25,0.2,1]"),
                  Call("glLightfv", GL_LIGHT0, GL_SPECULAR, "[0.2,0.24,0.12,1]"),
                  Call("glDisable", GL_LIGHT2), Call("glDisable", GL_LIGHT3),
                  Call("glDisable", GL_LIGHT4), Call("glDisable", GL_LIGHT5),
                  Call("glDisable", GL_LIGHT6), Call("glDisable", GL_LIGHT7)));
}

// What setting one spotlight sends; positions, directions and colours as the log writes them.
Lines SpotlightCalls(GLenum light, const char* position, const char* direction,
                     const char* colour) {
  return {Call("glEnable", light),
          Call("glLightfv", light, GL_POSITION, position),
          Call("glLightfv", light, GL_SPOT_DIRECTION, direction),
          Call("glLightf", light, GL_SPOT_CUTOFF, 90),
          Call("glLightf", light, GL_SPOT_EXPONENT, 20),
          Call("glLightfv", light, GL_AMBIENT, colour),
          Call("glLightfv", light, GL_DIFFUSE, colour),
          Call("glLightfv", light, GL_SPECULAR, colour)};
}

TEST_F(SceneDrawing, ColouredLightsBecomeSpotlightsAtTheirOwnPosition) {
  Scene scene = EmptyScene();
  scene.Lights = {Light(10, -20, 5, 0.5, 0.25, 1)};
  scene.Lights[0].Dir = {0.6f, 0.0f, 0.8f};
  SetColouredLights(scene, DrawingMethod::Reference);
  EXPECT_THAT(Calls(), ElementsAreArray(SpotlightCalls(GL_LIGHT2, "[10,-20,5,1]", "[0.6,0,0.8]",
                                                       "[0.5,0.25,1,1]")));
}

// The switching of GL_LIGHT2 .. GL_LIGHT7 (and of the light past them, which must not be).
Lines ColouredLightSwitching(const Lines& calls) {
  Lines switching;
  for (const std::string& line : calls) {
    for (GLenum light = GL_LIGHT2; light <= GL_LIGHT7 + 1; ++light) {
      if (line == Call("glEnable", light) || line == Call("glDisable", light)) {
        switching.push_back(line);
      }
    }
  }
  return switching;
}

Lines SwitchedOn(GLenum first, GLenum last) {
  Lines on;
  for (GLenum light = first; light <= last; ++light) on.push_back(Call("glEnable", light));
  return on;
}

// Both drawings switch the six off and then on again as the frame needs them: the literal
// one only those that Lights fills, the saver's own as many as the settings let Lights
// fill, so that the lighting GL runs is the same program whatever the number of lights.
TEST_F(SceneDrawing, OnlyTheFirstSixLightsLightTheSceneAndFewerLeaveTheRestOffOrDark) {
  const Lines allOff = {Call("glDisable", GL_LIGHT2), Call("glDisable", GL_LIGHT3),
                        Call("glDisable", GL_LIGHT4), Call("glDisable", GL_LIGHT5),
                        Call("glDisable", GL_LIGHT6), Call("glDisable", GL_LIGHT7)};
  struct Case {
    DrawingMethod Method;
    int32_t LightCount;  // the setting
    std::size_t Lights;  // in the scene
    Lines SwitchedOn;
  };
  const Case cases[] = {
      {DrawingMethod::Reference, 15, 7, SwitchedOn(GL_LIGHT2, GL_LIGHT7)},
      {DrawingMethod::Reference, 15, 2, SwitchedOn(GL_LIGHT2, GL_LIGHT3)},
      {DrawingMethod::Reference, 15, 0, {}},
      {DrawingMethod::Arrays, 15, 7, SwitchedOn(GL_LIGHT2, GL_LIGHT7)},
      {DrawingMethod::Arrays, 15, 2, SwitchedOn(GL_LIGHT2, GL_LIGHT7)},
      {DrawingMethod::Arrays, 6, 0, SwitchedOn(GL_LIGHT2, GL_LIGHT7)},
      {DrawingMethod::Arrays, 3, 1, SwitchedOn(GL_LIGHT2, GL_LIGHT4)},
      {DrawingMethod::Arrays, 0, 2, SwitchedOn(GL_LIGHT2, GL_LIGHT3)},  // Lights over the cap
  };
  for (const Case& c : cases) {
    Scene scene = EmptyScene();
    scene.Config.LightCount = c.LightCount;
    for (std::size_t i = 0; i < c.Lights; ++i) {
      scene.Lights.push_back(Light(static_cast<double>(i), 0, 100.0 - 100.0 * i));
    }
    DrawScene(scene, target_, quadric_, c.Method);
    EXPECT_THAT(ColouredLightSwitching(Calls()), ElementsAreArray(allOff + c.SwitchedOn))
        << (c.Method == DrawingMethod::Reference ? "literal" : "arrays") << ", " << c.Lights
        << " of " << c.LightCount << " lights";
  }
}

// A dark light must be shaped exactly like a coloured one (positional, a 90-degree spot),
// or GL's lighting program changes with the number of lights after all; and black, so that
// it adds nothing. It sits on the fixed light, where no vertex can be without that light
// already spoiling the vertex's colour.
TEST_F(SceneDrawing, TheSaversDrawingFillsTheUnusedSpotlightsWithDarkOnes) {
  Scene scene = EmptyScene();
  scene.Config.LightCount = 15;
  scene.Lights = {Light(10, -20, 5, 0.5, 0.25, 1)};
  scene.Lights[0].Dir = {0.6f, 0.0f, 0.8f};
  SetColouredLights(scene, DrawingMethod::Arrays);
  const Lines calls = Calls();
  Lines expected = SpotlightCalls(GL_LIGHT2, "[10,-20,5,1]", "[0.6,0,0.8]", "[0.5,0.25,1,1]");
  for (GLenum light = GL_LIGHT3; light <= GL_LIGHT7; ++light) {
    expected = expected + SpotlightCalls(light, "[50,-20,10,1]", "[0,0,-1]", "[0,0,0,1]");
  }
  EXPECT_THAT(calls, ElementsAreArray(expected));
}

// ---- glows ------------------------------------------------------------------------------

// The stage's calls exactly, nothing left out and nothing added (an unlit pass needs no
// normal); a light at or behind z = 0 has no glow.
TEST_F(SceneDrawing, GlowIsAnUnlitSquareAtTwiceTheLightsPosition) {
  Scene scene = EmptyScene();
  scene.Lights = {Light(10, 0, -300, 1, 0.5, 0.25), Light(40, 50, 0), Light(-3, 2, -100, 0, 1, 1)};
  FrameDrawing frame = Frame(DrawingMethod::Reference);
  DrawLightGlows(scene, frame);
  const Lines pass = {Call("glPushAttrib", GL_ALL_ATTRIB_BITS),
                      Call("glEnable", GL_COLOR_MATERIAL),
                      Call("glDisable", GL_LIGHTING),
                      Call("glPolygonMode", GL_FRONT, GL_FILL),
                      Call("glEnable", GL_BLEND),
                      Call("glDepthMask", GL_FALSE),
                      Call("glEnable", GL_CULL_FACE),
                      Call("glCullFace", GL_BACK),
                      Call("glGetFloatv", GL_MODELVIEW_MATRIX),
                      Call("glMaterialf", GL_FRONT, GL_SHININESS, 1)};
  const Lines first =
      Lines{"glPushMatrix()", "glColor4f(1,0.5,0.25,0.4)", "glTranslatef(10,0,-300)"} +
      UprightSquare(10, 0, -300, 900) + Lines{"glPopMatrix()"};
  const Lines third = Lines{"glPushMatrix()", "glColor4f(0,1,1,0.125)", "glTranslatef(-3,2,-100)"} +
                      UprightSquare(-3, 2, -100, 900) + Lines{"glPopMatrix()"};
  EXPECT_THAT(Calls(), ElementsAreArray(pass + BindObjectLinearCalls(2) + first + kUnbind +
                                        BindObjectLinearCalls(2) + third + kUnbind + kUnbind +
                                        Lines{"glPopAttrib()"}));

  // The same squares with the texture bound once; the shininess goes with the first bind,
  // the second glow only switches off the coordinate generation the first one's unbind
  // asked for, and the pass's glPopAttrib switches the texturing off.
  frame = Frame(DrawingMethod::Arrays);
  DrawLightGlows(scene, frame);
  const Lines cachedPass(pass.begin(), pass.end() - 1);
  EXPECT_THAT(Calls(), ElementsAreArray(cachedPass + BindObjectLinearCalls(2) +
                                        Lines{Call("glMaterialf", GL_FRONT, GL_SHININESS, 1)} +
                                        first + Lines{"glDisable(3168)", "glDisable(3169)"} +
                                        third + Lines{"glPopAttrib()"}));
}

TEST_F(SceneDrawing, GlowFadesOnlyWithinTwoHundredUnitsAndVanishesAtTheViewer) {
  Scene scene = EmptyScene();
  for (double z : {-100.0, -200.0, -201.0, 0.0, 5.0, -0.5, -2250.0}) {
    scene.Lights.push_back(Light(0, 0, z, 1, 1, 1));
  }
  FrameDrawing frame = Frame(DrawingMethod::Reference);
  DrawLightGlows(scene, frame);
  EXPECT_THAT(Matching(Calls(), "glColor4f"),
              ElementsAre("glColor4f(1,1,1,0.125)", "glColor4f(1,1,1,0.25)", "glColor4f(1,1,1,0.4)",
                          Call("glColor4f", 1, 1, 1, F(0.5 / 800)), "glColor4f(1,1,1,0.4)"));
}

// ---- quadric, meteors and debris ------------------------------------------------------

TEST_F(SceneDrawing, QuadricAndBaseMaterialAreSetBeforeTheParticles) {
  PrepareQuadricAndMaterial(quadric_);
  const Lines material = {Call("glMaterialfv", GL_FRONT, GL_AMBIENT, "[0.1,0.1,0.6,1]"),
                          Call("glMaterialfv", GL_FRONT, GL_DIFFUSE, "[0.1,0.5,0.1,1]"),
                          Call("glMaterialfv", GL_FRONT, GL_SPECULAR, "[1,0.8,0.8,1]")};
  EXPECT_THAT(Calls(), ElementsAreArray(Lines{Call("gluQuadricDrawStyle", "quadric", GLU_FILL),
                                              Call("gluQuadricNormals", "quadric", GLU_SMOOTH),
                                              Call("gluQuadricOrientation", "quadric", GLU_OUTSIDE),
                                              Call("glEnable", GL_COLOR_MATERIAL)} +
                                        material));
  SetBaseMaterial();
  EXPECT_THAT(Calls(), ElementsAreArray(material));
}

// A textured meteor, a free slot and a piece of debris in plain colour.
Scene MeteorFreeSlotAndDebris() {
  Scene scene = EmptyScene(3);
  SceneParticle& meteor = scene.Particles[0];
  meteor.Alive = 1;
  meteor.IsMeteor = 1;
  meteor.X = 1.0 / 3;
  meteor.Y = -2;
  meteor.Z = -400;
  meteor.AngleX = 1.0 / 3;
  meteor.AngleY = 200.25;
  meteor.Red = 0.9f;
  meteor.Green = 0.8f;
  meteor.Blue = 0.7f;
  meteor.Radius = 1.0 / 3;
  meteor.Slices = 5;
  meteor.Stacks = 6;
  meteor.Shininess = 77;
  scene.Particles[1] = meteor;
  scene.Particles[1].Alive = 0;
  SceneParticle& debris = scene.Particles[2];
  debris = meteor;
  debris.IsMeteor = 0;
  debris.Slices = debris.Stacks = 3;
  debris.Shininess = 0;
  return scene;
}

const Lines kPlacedParticle = {"glPushMatrix()", Call("glTranslatef", F(1.0 / 3), -2, -400),
                               Call("glRotated", 1.0 / 3, 1, 0, 0), "glRotated(200.25,0,1,0)"};

TEST_F(SceneDrawing, MeteorsAreTexturedDebrisIsNotAndFreeSlotsAreSkipped) {
  FrameDrawing frame = Frame(DrawingMethod::Reference);
  DrawParticles(MeteorFreeSlotAndDebris(), frame);

  const std::string sphere = Call("gluSphere", "quadric", 1.0 / 3, 5, 6);
  const Lines meteorCalls =
      Lines{Call("gluQuadricTexture", "quadric", GL_TRUE)} + BindObjectLinearCalls(0) +
      Lines{Call("glMaterialf", GL_FRONT, GL_SHININESS, 77), "glColor3f(0.9,0.8,0.7)"} +
      kPlacedParticle +
      Lines{sphere, "glPopMatrix()", Call("gluQuadricTexture", "quadric", GL_FALSE)} + kUnbind;
  const Lines debrisCalls =
      Lines{Call("glMaterialf", GL_FRONT, GL_SHININESS, 0), "glColor3f(0.9,0.8,0.7)"} +
      kPlacedParticle + Lines{Call("gluSphere", "quadric", 1.0 / 3, 3, 3), "glPopMatrix()"};
  EXPECT_THAT(Calls(),
              ElementsAreArray(meteorCalls + debrisCalls +
                               Lines{Call("gluQuadricTexture", "quadric", GL_FALSE)} + kUnbind));
}

// The same spheres from vertex arrays: the texture and shininess are sent just before the
// meteor's triangles, the debris switches the texturing and the coordinate array off, and
// the pass ends with the quadric untextured.
TEST_F(SceneDrawing, ArraysDrawTheSameParticlesWithTheStateEachNeeds) {
  FrameDrawing frame = Frame(DrawingMethod::Arrays);
  DrawParticles(MeteorFreeSlotAndDebris(), frame);
  // 5 x 6 textured: six bands of ten triangles, five at each pole covering nothing.
  const Lines meteorCalls = Lines{"glColor3f(0.9,0.8,0.7)"} + kPlacedParticle +
                            BindObjectLinearCalls(0) +
                            Lines{Call("glMaterialf", GL_FRONT, GL_SHININESS, 77)} + kArraysOn +
                            Lines{Call("glEnableClientState", GL_TEXTURE_COORD_ARRAY),
                                  Triangles(3 * 50), "glPopMatrix()"};
  // 3 x 3 untextured: two fans of three triangles and one band of six.
  const Lines debrisCalls = Lines{"glColor3f(0.9,0.8,0.7)"} + kPlacedParticle + kUnbind +
                            Lines{Call("glMaterialf", GL_FRONT, GL_SHININESS, 0),
                                  Call("glDisableClientState", GL_TEXTURE_COORD_ARRAY),
                                  Triangles(12 * 3), "glPopMatrix()"};
  ExpectCalls(Calls(),
              meteorCalls + debrisCalls + Lines{Call("gluQuadricTexture", "quadric", GL_FALSE)});
}

// Like meteors one after another send nothing but their colour, place and triangles.
TEST_F(SceneDrawing, ArraysSendUnchangedStateOnce) {
  Scene scene = MeteorFreeSlotAndDebris();
  scene.Particles[1].Alive = 1;
  scene.Particles[2].Alive = 0;
  FrameDrawing frame = Frame(DrawingMethod::Arrays);
  DrawParticles(scene, frame);
  const Lines calls = Calls();
  EXPECT_THAT(Matching(calls, "glBindTexture"), ElementsAre("glBindTexture(3553,101)"));
  EXPECT_THAT(Matching(calls, "glMaterialf"), ElementsAre("glMaterialf(1028,5633,77)"));
  EXPECT_EQ(Matching(calls, "glEnable").size(), 4u);  // two arrays, a third, texturing
  EXPECT_EQ(Matching(calls, "glVertexPointer").size(), 1u);
  EXPECT_EQ(Matching(calls, "glTexCoordPointer").size(), 1u);
  EXPECT_EQ(Matching(calls, "glDrawElements").size(), 2u);
  // The second meteor switches off the coordinate generation the first one's unbind asked
  // for; the end of the pass switches off the texturing the meteors left on.
  EXPECT_THAT(Matching(calls, "glDisable"),
              ElementsAre("glDisable(3168)", "glDisable(3169)", "glDisable(3553)"));
  EXPECT_THAT(Lines(calls.end() - 2, calls.end()),
              ElementsAre(Call("gluQuadricTexture", "quadric", GL_FALSE), "glDisable(3553)"));
}

// A sphere larger than any before it in the frame needs a larger array, which moves: its
// pointers are sent again before it is drawn.
TEST_F(SceneDrawing, ArraysPointAgainAtAnArrayThatGrew) {
  Scene scene = EmptyScene(3);
  const int facets[] = {3, 40, 3};
  for (int i = 0; i < 3; ++i) {
    scene.Particles[i].Alive = 1;
    scene.Particles[i].Radius = 1;
    scene.Particles[i].Slices = scene.Particles[i].Stacks = facets[i];
  }
  FrameDrawing frame = Frame(DrawingMethod::Arrays);
  DrawParticles(scene, frame);
  const Lines calls = Calls();
  std::vector<std::string> order;
  for (const std::string& line : calls) {
    if (line.starts_with("glVertexPointer") || line.starts_with("glDrawElements(4,36,")) {
      order.push_back(line.substr(0, 15));
    } else if (line.starts_with("glDrawElements")) {
      order.push_back("large");
    }
  }
  EXPECT_THAT(order, ElementsAre("glVertexPointer", "glDrawElements(", "glVertexPointer", "large",
                                 "glDrawElements("));
}

// Counts the vertex arrays cannot reproduce, and a radius the quadric refuses, go to the
// quadric itself, with its texture switch as the sphere needs it.
TEST_F(SceneDrawing, ArraysLeaveSpheresTheyCannotReproduceToTheQuadric) {
  Scene scene = EmptyScene(3);
  for (SceneParticle& p : scene.Particles) {
    p.Alive = 1;
    p.Radius = 2;
    p.Slices = 3;
    p.Stacks = 3;
  }
  scene.Particles[0].Stacks = 5;  // untextured, more stacks than slices
  scene.Particles[1].Radius = -1;
  scene.Particles[2].IsMeteor = 1;
  scene.Particles[2].Slices = 65;
  FrameDrawing frame = Frame(DrawingMethod::Arrays);
  DrawParticles(scene, frame);
  const Lines calls = Calls();
  EXPECT_THAT(
      Matching(calls, "glu"),
      ElementsAre(Call("gluQuadricTexture", "quadric", GL_FALSE), "gluSphere(quadric,2,3,5)",
                  "gluSphere(quadric,-1,3,3)", Call("gluQuadricTexture", "quadric", GL_TRUE),
                  "gluSphere(quadric,2,65,3)", Call("gluQuadricTexture", "quadric", GL_FALSE)));
  EXPECT_THAT(Matching(calls, "glDrawElements"), IsEmpty());
}

// The view of EmptyScene looks from (0, 15.3, 0) along +z, 50 degrees high, 4:3. Spheres and
// squares wholly outside it are not sent at all, not even their colour.
TEST_F(SceneDrawing, ArraysLeaveOutWhatTheViewCannotShow) {
  Scene scene = EmptyScene(5, 2, 2);
  const double particleX[] = {0, 0, 0, 66, 70};
  const double particleZ[] = {100, -100, 1600, 100, 100};  // ahead, behind, past the far plane
  for (int i = 0; i < 5; ++i) {
    SceneParticle& p = scene.Particles[i];
    p.Alive = 1;
    p.X = particleX[i];
    p.Y = 15.3;
    p.Z = particleZ[i];
    p.Radius = 5;
    p.Slices = p.Stacks = 3;
    p.Red = static_cast<float>(i);
  }
  for (int i = 0; i < 2; ++i) {
    scene.Flashes[i].Alive = 1;
    scene.Flashes[i].Y = 15.3;
    scene.Flashes[i].Z = i == 0 ? 30 : -30;
    scene.Flashes[i].Alpha = i;
  }
  // Squares lie at twice the puff's position: (0, 15.3, 100) ahead, (0, 15.3, -100) behind.
  scene.SmokePuffs = {Puff(0, 7.65, 50, 3), Puff(0, 7.65, -50, 1)};
  // A glow reaches 1273 units from its centre: this one at (0, 15.3, -2000) is behind too.
  scene.Lights = {Light(0, 7.65, -1000)};

  FrameDrawing frame = Frame(DrawingMethod::Arrays);
  frame.Frustum = SetProjectionAndView(scene, target_);
  DrawLightGlows(scene, frame);
  DrawParticles(scene, frame);
  DrawFlashes(scene, frame);
  DrawSmokePuffs(scene, frame);
  const Lines calls = Calls();
  // Ahead, and 66 across at a depth of 100, where the side plane passes 62.2 across and the
  // sphere's 5 units reach over it; not 70 across.
  EXPECT_THAT(Matching(calls, "glColor3f"), ElementsAre("glColor3f(0,0,0)", "glColor3f(3,0,0)"));
  EXPECT_THAT(Matching(calls, "glColor4f(1,0.7"), ElementsAre("glColor4f(1,0.7,0,0)"));
  EXPECT_EQ(Matching(calls, "glBegin").size(), 1u);
  EXPECT_EQ(Matching(calls, "glPushMatrix").size(), 4u);

  // The literal drawing sends everything.
  FrameDrawing reference = Frame(DrawingMethod::Reference);
  reference.Frustum = frame.Frustum;
  DrawLightGlows(scene, reference);
  DrawParticles(scene, reference);
  DrawFlashes(scene, reference);
  DrawSmokePuffs(scene, reference);
  const Lines all = Calls();
  EXPECT_EQ(Matching(all, "gluSphere").size(), 7u);
  EXPECT_EQ(Matching(all, "glBegin").size(), 3u);
}

// With the ship 109 units ahead along -z the view looks down -z, 50 degrees high, 4:3, at
// 320 x 240. Glows and smoke are drawn only where their texture can show, where that leaves
// out at least 4096 pixels. A texture that shows only between s = 0.5 and 0.6 and t = 0.3 and
// 0.4 does so right of the square's centre by 0 to a tenth of the square, and below it by a
// tenth to a fifth, each way 2.57 pixels a unit at a depth of 100 and 0.257 at 1000; the box
// reaches 2 pixels further. The glow's square of 900 at a depth of 1000 fills the window; the
// near puff's square of 20 at 100 covers 103 x 103 pixels, the far one's at 800 only 13 x 13.
TEST_F(SceneDrawing, ArraysShadeGlowsAndSmokeOnlyWhereTheirTextureCanShow) {
  Scene scene = EmptyScene(0, 2);
  scene.ShipZ = -109;
  scene.Lights = {Light(0, 7.65, -500)};
  scene.SmokePuffs = {Puff(0, 7.65, -50, 0), Puff(0, 7.65, -400, 0)};
  const AlphaCoverage saved = textureCoverage[TextureSlotSmoke];
  textureCoverage[TextureSlotSmoke] = {0.5, 0.6, 0.3, 0.4};
  FrameDrawing frame = Frame(DrawingMethod::Arrays);
  frame.Frustum = SetProjectionAndView(scene, target_);
  Calls();
  DrawLightGlows(scene, frame);
  EXPECT_THAT(Matching(Calls(), "glScissor"), ElementsAre("glScissor(158,25,51,51)"));
  DrawSmokePuffs(scene, frame);
  const Lines calls = Calls();
  EXPECT_THAT(Matching(calls, "glScissor"), ElementsAre("glScissor(158,97,15,15)"));
  // On before the near puff, off before the far one, each time before its square.
  Lines switches;
  for (const std::string& line : calls) {
    if (line.find("(3089)") != std::string::npos || line.starts_with("glBegin")) {
      switches.push_back(line);
    }
  }
  EXPECT_THAT(switches, ElementsAre(Call("glEnable", GL_SCISSOR_TEST), Call("glBegin", GL_QUADS),
                                    Call("glDisable", GL_SCISSOR_TEST), Call("glBegin", GL_QUADS)));

  // A texture that shows everywhere leaves nothing out; the literal drawing never clips.
  textureCoverage[TextureSlotSmoke] = {};
  DrawLightGlows(scene, frame);
  DrawSmokePuffs(scene, frame);
  EXPECT_THAT(Matching(Calls(), "glScissor"), IsEmpty());
  textureCoverage[TextureSlotSmoke] = {0.5, 0.6, 0.3, 0.4};
  FrameDrawing reference = Frame(DrawingMethod::Reference);
  reference.Frustum = frame.Frustum;
  DrawLightGlows(scene, reference);
  DrawSmokePuffs(scene, reference);
  const Lines literal = Calls();
  EXPECT_THAT(Matching(literal, "glScissor"), IsEmpty());
  EXPECT_THAT(literal, Not(Contains(Call("glEnable", GL_SCISSOR_TEST))));
  textureCoverage[TextureSlotSmoke] = saved;
}

// ---- flashes and smoke ----------------------------------------------------------------

TEST_F(SceneDrawing, FlashesAreTranslucentOrangeBallsDrawnWithoutDepthWrites) {
  Scene scene = EmptyScene(0, 0, 3);
  for (int i : {1, 2}) {
    ExplosionFlash& flash = scene.Flashes[i];
    flash.Alive = 1;
    flash.X = 5;
    flash.Y = 6;
    flash.Z = -70;
    flash.Radius = 2.5;
    flash.Alpha = 0.3;
  }
  const Lines flash = {"glColor4f(1,0.7,0,0.3)", "glPushMatrix()", "glTranslatef(5,6,-70)"};
  const Lines shininess = {Call("glMaterialf", GL_FRONT, GL_SHININESS, 1)};
  const Lines begin = {Call("glEnable", GL_BLEND), Call("glDepthMask", GL_FALSE)};
  const Lines end = {Call("glDepthMask", GL_TRUE), Call("glDisable", GL_BLEND)};

  FrameDrawing reference = Frame(DrawingMethod::Reference);
  DrawFlashes(scene, reference);
  const Lines sphere = {"gluSphere(quadric,2.5,20,20)", "glPopMatrix()"};
  EXPECT_THAT(Calls(), ElementsAreArray(begin + shininess + flash + sphere + shininess + flash +
                                        sphere + end));

  // 20 x 20 untextured: two fans of 20 triangles and 18 bands of 40. The shininess is sent
  // once; the pass leaves no client array on.
  FrameDrawing arrays = Frame(DrawingMethod::Arrays);
  DrawFlashes(scene, arrays);
  const Lines triangles = {Triangles(3 * (2 * 20 + 18 * 40)), "glPopMatrix()"};
  ExpectCalls(Calls(), begin + flash + shininess + kArraysOn +
                           Lines{Call("glDisableClientState", GL_TEXTURE_COORD_ARRAY)} + triangles +
                           flash + triangles + end +
                           Lines{Call("glDisableClientState", GL_VERTEX_ARRAY),
                                 Call("glDisableClientState", GL_NORMAL_ARRAY)});
}

TEST_F(SceneDrawing, SmokeIsALitTranslucentSquareGrowingAndFadingWithAge) {
  Scene scene = EmptyScene(0, 3);
  scene.SmokePuffs[0] = Puff(1, 2, -50, 6.0);
  scene.SmokePuffs[2] = Puff(-4, 0, -80, 1.0);
  FrameDrawing frame = Frame(DrawingMethod::Reference);
  DrawSmokePuffs(scene, frame);
  const Lines pass = {Call("glPushAttrib", GL_ALL_ATTRIB_BITS),
                      Call("glEnable", GL_COLOR_MATERIAL),
                      Call("glPolygonMode", GL_FRONT, GL_FILL),
                      Call("glEnable", GL_BLEND),
                      Call("glDepthMask", GL_FALSE),
                      Call("glEnable", GL_CULL_FACE),
                      Call("glCullFace", GL_BACK),
                      Call("glGetFloatv", GL_MODELVIEW_MATRIX),
                      "glNormal3f(0,0,1)"};
  const Lines shininess = {Call("glMaterialf", GL_FRONT, GL_SHININESS, 1)};
  // Fresh: half-size 2, black (slightly below 0) and opaque.
  const float freshGrey = F(0.8 - 6.0 / 7);
  const Lines freshColour = {Call("glColor4f", freshGrey, freshGrey, freshGrey, 1)};
  const Lines fresh = Lines{"glPushMatrix()", "glTranslatef(1,2,-50)"} +
                      UprightSquare(1, 2, -50, 2) + Lines{"glPopMatrix()"};
  // Old: half-size 17, grey 0.657, opacity 1/6.
  const float oldGrey = F(0.8 - 1.0 / 7);
  const Lines oldColour = {Call("glColor4f", oldGrey, oldGrey, oldGrey, F(1.0 / 6))};
  const Lines old = Lines{"glPushMatrix()", "glTranslatef(-4,0,-80)"} +
                    UprightSquare(-4, 0, -80, 17) + Lines{"glPopMatrix()"};
  EXPECT_THAT(Calls(), ElementsAreArray(pass + shininess + freshColour + BindObjectLinearCalls(2) +
                                        fresh + kUnbind + oldColour + BindObjectLinearCalls(2) +
                                        old + kUnbind + kUnbind + Lines{"glPopAttrib()"}));

  // The texture is bound once; the pass's glPopAttrib switches it off.
  frame = Frame(DrawingMethod::Arrays);
  DrawSmokePuffs(scene, frame);
  EXPECT_THAT(Calls(),
              ElementsAreArray(pass + freshColour + BindObjectLinearCalls(2) + shininess + fresh +
                               oldColour + Lines{"glDisable(3168)", "glDisable(3169)"} + old +
                               Lines{"glPopAttrib()"}));
}

TEST_F(SceneDrawing, SmokeKindSelectsTheTextureSlotAndAKindWithoutASlotIsLeftOut) {
  Scene scene = EmptyScene(0, 3);
  scene.SmokePuffs[0] = Puff(0, 0, -50, 3.0, 7);    // slot 9, the last name
  scene.SmokePuffs[1] = Puff(0, 0, -50, 3.0, 8);    // slot 10: there is none
  scene.SmokePuffs[2] = Puff(0, 0, -50, 3.0, 255);  // slot 257
  for (DrawingMethod method : kBothMethods) {
    FrameDrawing frame = Frame(method);
    DrawSmokePuffs(scene, frame);
    const Lines calls = Calls();
    EXPECT_THAT(Matching(calls, "glBindTexture"), ElementsAre("glBindTexture(3553,110)"));
    EXPECT_THAT(Matching(calls, "glBegin"), ElementsAre(Call("glBegin", GL_QUADS)));
    EXPECT_EQ(calls.back(), "glPopAttrib()");
  }
}

// ---- ship -------------------------------------------------------------------------------

TEST_F(SceneDrawing, ShipIsDrawnPartByPartInItsOwnFrame) {
  Scene scene = EmptyScene();
  scene.ShipZ = -70;
  DrawShip(scene, quadric_);
  const std::string lieOnSide = "glRotatef(90,0,0,1)", faceForward = "glRotatef(180,0,1,0)";
  const Lines frame = {"glPushMatrix()", "glTranslatef(0,0,-70)", "glRotatef(0,0,0,1)",
                       Call("glMaterialf", GL_FRONT_AND_BACK, GL_SHININESS, 20),
                       "glColor3f(0.7,0.2,0.2)"};
  const Lines reflective =
      Lines{Call("gluQuadricTexture", "quadric", GL_TRUE)} + BindSphereMappedCalls(1);
  const Lines plain = kUnbind + Lines{Call("gluQuadricTexture", "quadric", GL_FALSE)};
  const Lines hull =
      reflective +
      Lines{// body
            "glPushMatrix()", lieOnSide, "glScalef(0.4,1,1)", faceForward,
            "gluCylinder(quadric,3,0.2,6,6,2)", "gluDisk(quadric,0,3,6,2)", "glPopMatrix()",
            // fin at +x
            "glPushMatrix()", "glTranslatef(0.5,0,-3.3)", "glRotatef(90,-1,0,0)",
            "glRotatef(40,0,1,0)", "glScalef(0.3,2,1)", "gluCylinder(quadric,0.3,0.1,1,4,2)",
            "glPopMatrix()",
            // fin at -x
            "glPushMatrix()", "glTranslatef(-0.5,0,-3.3)", "glRotatef(90,-1,0,0)",
            "glRotatef(-40,0,1,0)", "glScalef(0.3,2,1)", "gluCylinder(quadric,0.3,0.1,1,4,2)",
            "glPopMatrix()",
            // wing
            "glPushMatrix()", "glColor3f(0.1,0.1,0.7)", "glTranslatef(0,-0.2,-0.5)", lieOnSide,
            "glScalef(0.05,1,1)", faceForward, "gluCylinder(quadric,5,0,4,4,2)",
            "gluDisk(quadric,0,5,4,1)", "glPopMatrix()",
            // pod at +x
            "glPushMatrix()", "glColor3f(0.5,0.5,0.6)", "glTranslatef(4,-0.2,0)", lieOnSide,
            faceForward, "gluCylinder(quadric,0.2,0.1,3,4,2)", "gluDisk(quadric,0,0.2,4,1)",
            "glPopMatrix()",
            // pod at -x
            "glPushMatrix()", "glColor3f(0.5,0.5,0.6)", "glTranslatef(-4,-0.2,0)", lieOnSide,
            faceForward, "gluCylinder(quadric,0.2,0.1,3,4,2)", "gluDisk(quadric,0,0.2,4,1)",
            "glPopMatrix()"} +
      plain;
  const Lines canopy = reflective +
                       Lines{"glPushMatrix()",
                             Call("glEnable", GL_BLEND),
                             "glColor4f(0.25,0.6,0.9,0.5)",
                             "glTranslatef(0,0.7,-0.9)",
                             lieOnSide,
                             "glScalef(0.5,1,1)",
                             faceForward,
                             "gluCylinder(quadric,1.3,0,2.5,20,2)",
                             "gluDisk(quadric,0,1.3,20,1)",
                             Call("glDisable", GL_BLEND),
                             "glPopMatrix()"} +
                       plain;
  Lines engines = reflective + Lines{"glPushMatrix()",
                                     Call("glMaterialf", GL_FRONT_AND_BACK, GL_SHININESS, 127),
                                     lieOnSide, "glColor3f(0.5,0.5,0.4)"};
  for (const char* offset : {"glTranslatef(0,-1.5,1)", "glTranslatef(0,1.5,1)"}) {
    engines = engines + Lines{"glPushMatrix()",
                              offset,
                              faceForward,
                              "gluCylinder(quadric,1,0.5,1,15,2)",
                              "gluCylinder(quadric,1,0.3,0.5,15,2)",
                              "glPopMatrix()"};
  }
  engines = engines + Lines{"glPopMatrix()"} + plain;
  // At rest on the first frame: colour (1, 0.5, 0.3, 0.3 + 0.1), length 4.
  Lines flames = {Call("glPushAttrib", GL_ALL_ATTRIB_BITS),
                  Call("glDisable", GL_LIGHTING),
                  Call("glEnable", GL_CULL_FACE),
                  Call("glCullFace", GL_BACK),
                  "glPushMatrix()",
                  Call("glMaterialf", GL_FRONT_AND_BACK, GL_SHININESS, 20),
                  Call("glEnable", GL_BLEND),
                  lieOnSide,
                  "glColor4f(1,0.5,0.3,0.4)"};
  for (const char* offset : {"glTranslatef(0,-1.5,0)", "glTranslatef(0,1.5,0)"}) {
    flames = flames +
             Lines{"glPushMatrix()", offset, "gluCylinder(quadric,0.5,0,4,15,1)", "glPopMatrix()"};
  }
  flames = flames + Lines{Call("glDisable", GL_BLEND), "glPopMatrix()", "glPopAttrib()"};
  EXPECT_THAT(Calls(),
              ElementsAreArray(frame + hull + canopy + engines + flames + Lines{"glPopMatrix()"}));
}

TEST_F(SceneDrawing, FlamesGrowLongerAndYellowerWithSpeedAndFlickerWithTheClock) {
  Scene scene = EmptyScene();
  scene.FlightSpeed = 15;
  scene.SceneClock = std::numbers::pi / 26;  // 13 t = pi / 2: cosine 0, sine 1
  DrawShip(scene, quadric_);
  const Lines calls = Calls();
  EXPECT_THAT(calls, Contains(Call("glColor4f", 1, F(0.5 + 15.0 / 90), F(0.3 + 15.0 / 150),
                                   F(0.3 + 15.0 / 90))));  // (1, 0.667, 0.4, 0.467)
  EXPECT_THAT(Matching(calls, "gluCylinder(quadric,0.5,0,"),
              ElementsAre(Call("gluCylinder", "quadric", 0.5, 0, 4 + 0.8 + 2.5, 15, 1),
                          Call("gluCylinder", "quadric", 0.5, 0, 4 + 0.8 + 2.5, 15, 1)));
}

// ---- lasers -----------------------------------------------------------------------------

TEST_F(SceneDrawing, LasersRunFromThePodsToTheShotPointOnlyWhileTheCooldownLasts) {
  Scene scene = EmptyScene();
  scene.ShipZ = -40;
  scene.ShotX = 12.5;
  scene.ShotY = -3;
  scene.ShotZ = -600;
  for (int32_t cooldown : {1, 5}) {
    scene.ShotCooldown = cooldown;
    DrawLaserLines(scene);
    EXPECT_THAT(
        Calls(),
        ElementsAre(Call("glEnable", GL_BLEND), "glPushMatrix()", "glTranslatef(0,0,-40)",
                    "glRotatef(0,0,0,1)", Call("glGetFloatv", GL_MODELVIEW_MATRIX),
                    "glNormal3f(0,0,1)", Call("glBegin", GL_LINES), "glColor4f(1,0.8,0.2,0.9)",
                    "glVertex3f(-4,0,-3)", "glColor4f(1,0.8,0.2,0.1)", "glVertex3f(12.5,-3,-600)",
                    "glColor4f(1,0.8,0.2,0.9)", "glVertex3f(4,0,-3)", "glColor4f(1,0.8,0.2,0.1)",
                    "glVertex3f(12.5,-3,-600)", "glEnd()", "glPopMatrix()",
                    Call("glDisable", GL_BLEND)))
        << "cooldown " << cooldown;
  }
  for (int32_t cooldown : {0, -1}) {
    scene.ShotCooldown = cooldown;
    DrawLaserLines(scene);
    EXPECT_THAT(Calls(), IsEmpty()) << "cooldown " << cooldown;
  }
}

// ---- the frame as a whole -------------------------------------------------------------

// Index of the first line at or after `from` starting with `prefix`, or the end.
std::size_t Find(const Lines& calls, std::string_view prefix, std::size_t from = 0) {
  for (std::size_t i = from; i < calls.size(); ++i) {
    if (calls[i].starts_with(prefix)) return i;
  }
  return calls.size();
}

// One of everything, the spheres straight ahead of the view (which looks along +z here).
Scene BusyScene() {
  Scene scene = EmptyScene(2, 1, 1);
  scene.Lights = {Light(0, 0, -500)};
  for (SceneParticle& particle : scene.Particles) {
    particle.Alive = 1;
    particle.Y = 15.3;
    particle.Z = 40;
    particle.Slices = particle.Stacks = 3;
  }
  scene.Particles[0].IsMeteor = 1;
  scene.Particles[0].Slices = scene.Particles[0].Stacks = 7;
  scene.Flashes[0].Alive = 1;
  scene.Flashes[0].Y = 15.3;
  scene.Flashes[0].Z = 40;
  scene.SmokePuffs[0] = Puff(0, 0, -50, 3);
  scene.ShotCooldown = 3;
  return scene;
}

TEST_F(SceneDrawing, StagesFollowOneAnotherInTheirOrder) {
  const std::vector<std::string_view> start = {"glViewport",      "gluLookAt",
                                               "glEnable(2896)",  "glPushAttrib",
                                               "glEnable(16386)", "gluQuadricDrawStyle"};
  const std::vector<std::string_view> end = {"glPushAttrib",
                                             "glPopAttrib",
                                             "glMaterialfv",
                                             "gluCylinder(quadric,3,0.2,6,6,2)",
                                             "gluCylinder(quadric,1.3,0,2.5,20,2)",
                                             "gluCylinder(quadric,1,0.5,1,15,2)",
                                             "gluCylinder(quadric,0.5,0,",
                                             "glBegin(1)",
                                             "glDisable(3042)"};
  const std::vector<std::string_view> spheres[] = {
      {"gluSphere(quadric,0,7,7)", "gluSphere(quadric,0,3,3)", "gluSphere(quadric,0,20,20)"},
      {"glDrawElements(4,252,", "glDrawElements(4,36,", "glDrawElements(4,2280,",
       "glDisableClientState(32884)"}};
  for (DrawingMethod method : kBothMethods) {
    DrawScene(BusyScene(), target_, quadric_, method);
    const Lines calls = Calls();
    std::vector<std::string_view> landmarks = start;
    const auto& middle = spheres[method == DrawingMethod::Reference ? 0 : 1];
    landmarks.insert(landmarks.end(), middle.begin(), middle.end());
    landmarks.insert(landmarks.end(), end.begin(), end.end());
    std::size_t at = 0;
    for (std::string_view landmark : landmarks) {
      const std::size_t found = Find(calls, landmark, at);
      ASSERT_LT(found, calls.size()) << landmark << " missing or out of order";
      at = found + 1;
    }
  }
}

// Pushes and pops pair up within the frame, at most one attribute entry is pushed at a
// time and the model-view stack is never more than three above its base.
TEST_F(SceneDrawing, PushesArePairedAndShallowOverAFlownScene) {
  Scene scene;
  InitScene(scene, kDefaultSettings, 20261208);
  for (int frame = 0; frame < 900; ++frame) UpdateScene(scene);
  ASSERT_FALSE(scene.Lights.empty());
  // The stack tracker below needs a frame with every kind of object in it.
  scene.ShotCooldown = 2;
  ASSERT_GT(std::count_if(scene.SmokePuffs.begin(), scene.SmokePuffs.end(),
                          [](const SmokePuff& p) { return p.Alive != 0; }),
            0);

  for (DrawingMethod method : kBothMethods) {
    RenderFrame(scene, target_, quadric_, method);
    int matrixDepth = 0, deepestMatrix = 0, attribDepth = 0, deepestAttrib = 0;
    bool insideBegin = false;
    for (const std::string& line : Calls()) {
      if (line == "glPushMatrix()") deepestMatrix = std::max(deepestMatrix, ++matrixDepth);
      if (line == "glPopMatrix()") {
        ASSERT_GE(--matrixDepth, 0);
      }
      if (line.starts_with("glPushAttrib")) deepestAttrib = std::max(deepestAttrib, ++attribDepth);
      if (line == "glPopAttrib()") {
        ASSERT_GE(--attribDepth, 0);
      }
      if (line.starts_with("glBegin")) {
        ASSERT_FALSE(insideBegin);
        insideBegin = true;
      }
      if (line == "glEnd()") {
        ASSERT_TRUE(insideBegin);
        insideBegin = false;
      }
      // Arrays are drawn outside any glBegin, with no attribute entry pushed over them.
      if (line.starts_with("glDrawElements")) {
        ASSERT_FALSE(insideBegin);
        ASSERT_EQ(attribDepth, 0);
      }
    }
    EXPECT_EQ(matrixDepth, 0);
    EXPECT_EQ(attribDepth, 0);
    EXPECT_FALSE(insideBegin);
    EXPECT_EQ(deepestMatrix, 3);
    EXPECT_EQ(deepestAttrib, 1);
  }
}

}  // namespace
