// DrawBillboard's square and ApplyShipFrame's transforms for every flight mode and loop
// variant, seen as the calls they make.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gl/gl_constants.h"
#include "render/billboards.h"
#include "render/ship_frame.h"
#include "unit/render_test_support.h"

namespace {

using ::testing::ElementsAre;
using namespace render_test;

class Billboard : public RecordedCalls {};

TEST_F(Billboard, CornersRunCounterClockwiseFromBottomLeftWithTheirTextureCoordinates) {
  DrawBillboard(0, 0, -10, 1, {1, 0, 0}, {0, 1, 0});
  EXPECT_THAT(
      Calls(),
      ElementsAre(Call("glBegin", GL_QUADS), "glTexCoord2f(0,0)", "glVertex3f(-1,-1,-10)",
                  "glTexCoord2f(1,0)", "glVertex3f(1,-1,-10)", "glTexCoord2f(1,1)",
                  "glVertex3f(1,1,-10)", "glTexCoord2f(0,1)", "glVertex3f(-1,1,-10)", "glEnd()"));
}

TEST_F(Billboard, SpansHalfSizeAlongTheGivenRightAndUp) {
  // The viewer's axes after a quarter turn about z: right is +y, up is -x.
  DrawBillboard(20, 0, -600, 900, {0, 1, 0}, {-1, 0, 0});
  Lines vertices;
  for (const std::string& line : Calls()) {
    if (line.starts_with("glVertex3f")) vertices.push_back(line);
  }
  EXPECT_THAT(vertices, ElementsAre(Call("glVertex3f", 920, -900, -600),     // -right - up
                                    Call("glVertex3f", 920, 900, -600),      // +right - up
                                    Call("glVertex3f", -880, 900, -600),     // +right + up
                                    Call("glVertex3f", -880, -900, -600)));  // -right + up
}

class ShipFrame : public RecordedCalls {
 protected:
  Lines FrameCalls(uint8_t mode, uint8_t variant, double angle, int32_t frameCounter = 0) {
    Scene scene;
    scene.ShipX = 1.5;
    scene.ShipY = -2;
    scene.ShipZ = -70.25;
    scene.FlightMode = mode;
    scene.ManoeuvreVariant = variant;
    scene.ManoeuvreAngle = angle;
    scene.FrameCounter = frameCounter;
    ApplyShipFrame(scene);
    return Calls();
  }
  const std::string kToShip_ = Call("glTranslatef", 1.5, -2, -70.25);
};

TEST_F(ShipFrame, CruiseRocksAboutTheViewingAxisWithTheFrameCounter) {
  EXPECT_THAT(FrameCalls(kCruise, 3, 90, 0), ElementsAre(kToShip_, "glRotatef(0,0,0,1)"));
  // A quarter rock: sin(pi / 2) at frame 15 pi / 2, as near as an integer gets.
  EXPECT_THAT(FrameCalls(kCruise, 0, 0, 24),
              ElementsAre(kToShip_, Call("glRotatef", F(23 * std::sin(24 / 15.0)), 0, 0, 1)));
}

TEST_F(ShipFrame, CruiseRockUsesTheCounterAcrossItsWrap) {
  constexpr int32_t kLast = std::numeric_limits<int32_t>::max();
  constexpr int32_t kFirst = std::numeric_limits<int32_t>::min();
  EXPECT_THAT(FrameCalls(kCruise, 0, 0, kLast),
              ElementsAre(kToShip_, Call("glRotatef", F(23 * std::sin(kLast / 15.0)), 0, 0, 1)));
  EXPECT_THAT(FrameCalls(kCruise, 0, 0, kFirst),
              ElementsAre(kToShip_, Call("glRotatef", F(23 * std::sin(kFirst / 15.0)), 0, 0, 1)));
}

TEST_F(ShipFrame, LoopsTurnAboutAPivotAboveOrBelowTheShip) {
  EXPECT_THAT(
      FrameCalls(kLoopManoeuvre, 0, 90),
      ElementsAre(kToShip_, "glTranslatef(0,9,0)", "glRotatef(90,1,0,0)", "glTranslatef(0,-9,0)"));
  EXPECT_THAT(
      FrameCalls(kLoopManoeuvre, 1, 90),
      ElementsAre(kToShip_, "glTranslatef(0,-9,0)", "glRotatef(90,-1,0,0)", "glTranslatef(0,9,0)"));
}

TEST_F(ShipFrame, WideLoopsAlsoRollThreeOrTwoTimes) {
  EXPECT_THAT(FrameCalls(kLoopManoeuvre, 2, 100.5),
              ElementsAre(kToShip_, "glTranslatef(0,15,0)", "glRotatef(100.5,1,0,0)",
                          "glTranslatef(0,-15,0)", "glRotatef(301.5,0,0,1)"));
  EXPECT_THAT(FrameCalls(kLoopManoeuvre, 3, 100.5),
              ElementsAre(kToShip_, "glTranslatef(0,-15,0)", "glRotatef(100.5,-1,0,0)",
                          "glTranslatef(0,15,0)", "glRotatef(201,0,0,-1)"));
}

TEST_F(ShipFrame, BarrelRollTurnsAboutTheViewingAxis) {
  EXPECT_THAT(FrameCalls(kRollManoeuvre, 3, 357), ElementsAre(kToShip_, "glRotatef(357,0,0,1)"));
}

TEST_F(ShipFrame, UnknownModesAndLoopVariantsLeaveOnlyTheTranslation) {
  EXPECT_THAT(FrameCalls(kLoopManoeuvre, 4, 90), ElementsAre(kToShip_));
  EXPECT_THAT(FrameCalls(kLoopManoeuvre, 255, 90), ElementsAre(kToShip_));
  EXPECT_THAT(FrameCalls(3, 0, 90), ElementsAre(kToShip_));
  EXPECT_THAT(FrameCalls(255, 0, 90), ElementsAre(kToShip_));
}

TEST_F(ShipFrame, AnglesAreWorkedOutInDoubleAndRoundedOnce) {
  const double angle = 100.7;
  // The case only proves something while tripling the rounded angle misses the mark.
  ASSERT_NE(F(3 * angle), 3 * F(angle));
  const Lines calls = FrameCalls(kLoopManoeuvre, 2, angle);
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[2], Call("glRotatef", F(angle), 1, 0, 0));
  EXPECT_EQ(calls[4], Call("glRotatef", F(3 * angle), 0, 0, 1));
}

}  // namespace
