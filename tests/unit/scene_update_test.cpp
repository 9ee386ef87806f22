// One frame of the flight: the firing corridor, what a shot leaves, how long puffs and
// flashes last, the scene bounds, the lights, the counters and the manoeuvres.
#include <gtest/gtest.h>

#include <limits>

#include "scene/scene.h"
#include "scene_fixtures.h"

namespace {

// A meteor of radius 2 alone in a scene, the ship cruising at (0, 0, -70).
bool IsShotAt(double x, double y, double z) {
  Scene scene = MakeScene(1, 0, 2, 0);
  ReadyToFire(scene, 0, 0, -70);
  PlaceMeteor(scene, 0, x, y, z, 2);
  UpdateScene(scene);
  const bool shot = scene.ShotCooldown == 5;
  EXPECT_EQ(shot, scene.Particles[0].Alive == 0) << x << "," << y << "," << z;
  EXPECT_EQ(shot, CountAlive(scene.Flashes) == 1) << x << "," << y << "," << z;
  return shot;
}

// Debris pieces made by shooting a meteor of this radius, with room for eleven.
int DebrisFromRadius(double radius) {
  Scene scene = MakeScene(12, 0, 2, 0);
  ReadyToFire(scene, 0, 0, -70);
  PlaceMeteor(scene, 0, 0, 0, -500, radius);
  UpdateScene(scene);
  EXPECT_EQ(scene.ShotCooldown, 5) << radius;
  return CountDebris(scene);
}

SceneParticle& PlaceDebris(Scene& scene, int32_t slot, double x, double y, double z) {
  SceneParticle& p = PlaceMeteor(scene, slot, x, y, z, 3);
  p.IsMeteor = 0;
  p.Shrink = 0.001;
  p.Red = p.Green = p.Blue = 1;
  return p;
}

LightBeacon LightAt(double z, double red) {
  LightBeacon light;
  light.Z = z;
  light.Red = red;
  return light;
}

}  // namespace

TEST(ShotCorridor, ReachesFifteenPlusRadiusSidewaysAndEightHundredAhead) {
  EXPECT_TRUE(IsShotAt(16.9, 0, -500));
  EXPECT_FALSE(IsShotAt(17.1, 0, -500));
  EXPECT_TRUE(IsShotAt(-16.9, 0, -500));
  EXPECT_FALSE(IsShotAt(0, -17.1, -500));
  EXPECT_TRUE(IsShotAt(0, 0, -869));
  EXPECT_FALSE(IsShotAt(0, 0, -871));
  EXPECT_TRUE(IsShotAt(0, 0, -70));
  EXPECT_FALSE(IsShotAt(0, 0, -69));  // beyond the ship, towards the viewer
}

TEST(ShotCorridor, OnlyTheLowerSlotIsShotThenTheOtherFiveFramesLater) {
  Scene scene = MakeScene(2, 0, 4, 0, 3);
  ReadyToFire(scene, 0, 0, -70);
  PlaceMeteor(scene, 0, 0, 0, -500, 2);
  PlaceMeteor(scene, 1, 3, 0, -400, 2);
  UpdateScene(scene);
  EXPECT_EQ(scene.Particles[0].Alive, 0);
  EXPECT_EQ(scene.ShotX, 0.0);
  for (int frame = 2; frame <= 5; ++frame) {
    scene.FlightMode = kCruise;  // keep cruising whatever the ship drew
    UpdateScene(scene);
    EXPECT_EQ(scene.Particles[1].Alive, 1) << "frame " << frame;
    EXPECT_EQ(scene.ShotCooldown, 6 - frame);  // the laser still shows
  }
  scene.FlightMode = kCruise;
  UpdateScene(scene);
  EXPECT_EQ(scene.Particles[1].Alive, 0);
  EXPECT_EQ(scene.ShotX, 3.0);
}

TEST(ShotCorridor, NothingIsShotDuringAManoeuvreWhichFreezesTheFlight) {
  Scene scene = MakeScene(1, 0, 2, 0);
  ReadyToFire(scene, 1, 2, -60);
  scene.FlightMode = kRollManoeuvre;
  scene.FlightSpeed = 12.5;
  scene.CruiseFrame = 1000;
  PlaceMeteor(scene, 0, 1, 2, -300, 2);
  for (int frame = 1; frame <= 119; ++frame) {
    UpdateScene(scene);
    ASSERT_EQ(scene.FlightMode, kRollManoeuvre) << frame;
    ASSERT_EQ(scene.ShotCooldown, 0) << frame;
    ASSERT_EQ(scene.FlightSpeed, 12.5);
    ASSERT_EQ(scene.ShipZ, -60.0);
    ASSERT_EQ(scene.CruiseFrame, 1000);
  }
  UpdateScene(scene);  // the 120th frame completes the turn
  EXPECT_EQ(scene.FlightMode, kCruise);
  UpdateScene(scene);
  EXPECT_EQ(scene.CruiseFrame, 1001);
}

TEST(ShotDebris, CountIsTwiceTheRadiusRoundedHalfToEven) {
  EXPECT_EQ(DebrisFromRadius(0.2), 0);  // yet a flash and the laser, checked inside
  EXPECT_EQ(DebrisFromRadius(1.25), 2);
  EXPECT_EQ(DebrisFromRadius(1.75), 4);
  EXPECT_EQ(DebrisFromRadius(30), 11);  // more than the free slots: all of them
}

TEST(Debris, ABlackPieceDrawsOnlyForItsSmoke) {
  // A held flight without lights draws nothing, so the pieces' draws are all there is.
  Scene empty = MakeScene(1, 0, 0, 0, 8);
  HoldFlight(empty, 0);
  Scene black = empty;
  SceneParticle& piece = PlaceDebris(black, 0, 0, 0, -300);
  piece.Red = piece.Green = piece.Blue = 0;
  Scene white = empty;
  PlaceDebris(white, 0, 0, 0, -300);

  UniformRandom afterOne = empty.Rng;
  afterOne.Next();  // the 1-in-2 smoke draw
  UniformRandom afterFour = afterOne;
  for (int i = 0; i < 3; ++i) afterFour.Next();  // one per component still above 0
  UpdateScene(black);
  UpdateScene(white);
  EXPECT_TRUE(black.Rng == afterOne);
  EXPECT_TRUE(white.Rng == afterFour);
  EXPECT_LT(white.Particles[0].Blue, white.Particles[0].Red);  // blue cools fastest
}

TEST(Debris, SmokeTakesTheLowestFreeSlotsEveryFrame) {
  Scene scene = MakeScene(8, 12, 0, 0, 6);
  HoldFlight(scene, 0);
  for (int slot = 0; slot < 8; ++slot) PlaceDebris(scene, slot, slot * 10.0, 0, -300);
  SpawnSmoke(scene, 0, 0, 0, -300, 0, 0, 0);
  SpawnSmoke(scene, 0, 0, 0, -300, 0, 0, 0);
  scene.SmokePuffs[0].Alive = 0;  // a gap below the live puff in slot 1
  UpdateScene(scene);
  const int live = CountAlive(scene.SmokePuffs);
  ASSERT_GT(live, 2);
  for (int slot = 0; slot < 12; ++slot) {
    EXPECT_EQ(scene.SmokePuffs[slot].Alive == 1, slot < live) << "slot " << slot;
  }
  // A puff that ended leaves the lowest gap, which the next frame's first drop takes.
  scene.SmokePuffs[1].Alive = 0;
  UpdateScene(scene);
  EXPECT_EQ(scene.SmokePuffs[1].Alive, 1);
  EXPECT_EQ(scene.SmokePuffs[1].Life, 5.9);
}

TEST(Lifetimes, SmokeLastsSixtyFramesAndAFlashTwentyNine) {
  Scene scene = MakeScene(0, 1, 1, 0);
  HoldFlight(scene, 0);
  SpawnSmoke(scene, 0, 0, 0, -500, 0, 0, 0);
  SpawnFlash(scene, 0, 0, 0, -500, 0, 0, 0);
  for (int frame = 1; frame <= 61; ++frame) {
    UpdateScene(scene);
    ASSERT_EQ(scene.SmokePuffs[0].Alive == 1, frame <= 60) << "frame " << frame;
    ASSERT_EQ(scene.Flashes[0].Alive == 1, frame <= 29) << "frame " << frame;
    if (frame == 29) {
      EXPECT_EQ(scene.Flashes[0].Radius, 30.5);
    }
  }
}

TEST(SceneBounds, EdgesCountAsInside) {
  struct Case {
    double x, y, z;
    bool inside;
  };
  const Case cases[] = {{300, 0, 5, true},     {300, 0, 5.000001, false},
                        {300, 0, -1500, true}, {300, 0, -1500.0001, false},
                        {500, 0, -700, true},  {0, -500.0001, -700, false}};
  for (const Case& c : cases) {
    Scene scene = MakeScene(1, 1, 1, 0);
    HoldFlight(scene, 0);
    PlaceMeteor(scene, 0, c.x, c.y, c.z, 1);
    SpawnSmoke(scene, 0, c.x, c.y, c.z, 0, 0, 0);
    SpawnFlash(scene, 0, c.x, c.y, c.z, 0, 0, 0);
    UpdateScene(scene);
    EXPECT_EQ(CountAlive(scene.Particles), c.inside ? 1 : 0) << c.x << "," << c.y << "," << c.z;
    EXPECT_EQ(CountAlive(scene.SmokePuffs), c.inside ? 1 : 0) << c.x << "," << c.y << "," << c.z;
    EXPECT_EQ(CountAlive(scene.Flashes), c.inside ? 1 : 0) << c.x << "," << c.y << "," << c.z;
  }
}

TEST(Lights, ARetiredLightIsReplacedByTheLastWhichWaitsAFrame) {
  Scene scene = MakeScene(0, 0, 0, 2);
  HoldFlight(scene, 5);  // lights drift 1 unit per frame
  scene.Lights = {LightAt(499.5, 0.1), LightAt(-100, 0.2), LightAt(-2000, 0.3)};
  UpdateScene(scene);
  ASSERT_EQ(scene.Lights.size(), 2u);
  EXPECT_EQ(scene.Lights[0].Red, 0.3);
  EXPECT_EQ(scene.Lights[0].Z, -2000.0);
  EXPECT_EQ(scene.Lights[1].Z, -99.0);
}

TEST(Lights, CountZeroAddsNoneAndCountOneKeepsOneUntilItRetires) {
  Scene dark = MakeScene(0, 0, 0, 0);
  for (int frame = 0; frame < 300; ++frame) UpdateScene(dark);
  EXPECT_TRUE(dark.Lights.empty());

  Scene scene = MakeScene(0, 0, 0, 1);
  HoldFlight(scene, 5);
  for (int frame = 0; frame < 300; ++frame) {
    UpdateScene(scene);
    ASSERT_EQ(scene.Lights.size(), 1u);
  }
  EXPECT_EQ(scene.Lights[0].Z, -1951.0);
  scene.Lights[0].Z = 499.5;
  UpdateScene(scene);
  ASSERT_EQ(scene.Lights.size(), 1u);
  EXPECT_EQ(scene.Lights[0].Z, -2250.0);  // a new one at once
}

TEST(Counters, FrameCounterWrapsAndTheSceneRunsOn) {
  Scene scene;
  InitScene(scene, {50, 50, 5, 3}, 2);
  scene.FrameCounter = 2147483646;
  scene.CruiseFrame = 2147483647;
  UpdateScene(scene);
  EXPECT_EQ(scene.FrameCounter, 2147483647);
  UpdateScene(scene);
  EXPECT_EQ(scene.FrameCounter, std::numeric_limits<int32_t>::min());
  EXPECT_LT(scene.CruiseFrame, 0);
  EXPECT_TRUE(scene.FlightSpeed >= 5 && scene.FlightSpeed <= 25);
}

TEST(Determinism, SameSeedSameFlightFrameByFrame) {
  Scene a, b;
  InitScene(a, {400, 400, 20, 8}, 1234);
  InitScene(b, {400, 400, 20, 8}, 1234);
  int shots = 0;
  for (int frame = 0; frame < 3000; ++frame) {
    UpdateScene(a);
    UpdateScene(b);
    shots += a.ShotCooldown == 5;
  }
  EXPECT_GT(shots, 5);  // a run that really shot, exploded and smoked
  EXPECT_TRUE(a.Rng == b.Rng);
  EXPECT_EQ(a.FlightSpeed, b.FlightSpeed);
  for (std::size_t i = 0; i < a.Particles.size(); ++i) {
    ASSERT_EQ(a.Particles[i].Alive, b.Particles[i].Alive);
    ASSERT_EQ(a.Particles[i].Z, b.Particles[i].Z);
  }
}
