// One frame of the flight: the firing corridor, what a shot leaves, how long puffs and
// flashes last, the scene bounds, the lights, the counters and the manoeuvres.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "scene/scene.h"
#include "scene_fixtures.h"
#include "scene_known_answers.h"
#include "unit/test_data.h"

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
    double X, Y, Z;
    bool Inside;
  };
  const Case cases[] = {{300, 0, 5, true},     {300, 0, 5.000001, false},
                        {300, 0, -1500, true}, {300, 0, -1500.0001, false},
                        {500, 0, -700, true},  {0, -500.0001, -700, false}};
  for (const Case& c : cases) {
    Scene scene = MakeScene(1, 1, 1, 0);
    HoldFlight(scene, 0);
    PlaceMeteor(scene, 0, c.X, c.Y, c.Z, 1);
    SpawnSmoke(scene, 0, c.X, c.Y, c.Z, 0, 0, 0);
    SpawnFlash(scene, 0, c.X, c.Y, c.Z, 0, 0, 0);
    UpdateScene(scene);
    EXPECT_EQ(CountAlive(scene.Particles), c.Inside ? 1 : 0) << c.X << "," << c.Y << "," << c.Z;
    EXPECT_EQ(CountAlive(scene.SmokePuffs), c.Inside ? 1 : 0) << c.X << "," << c.Y << "," << c.Z;
    EXPECT_EQ(CountAlive(scene.Flashes), c.Inside ? 1 : 0) << c.X << "," << c.Y << "," << c.Z;
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

// ---- known answers: one frame of a hand-built scene with chosen draws -------------------

namespace {

// Where one frame's motion takes a record: velocity, then the flight on top of Z.
template <typename Record>
Record Moved(Record r, double flightSpeed) {
  r.X = r.X + r.VX;
  r.Y = r.Y + r.VY;
  r.Z = (r.Z + r.VZ) + flightSpeed;
  return r;
}

SceneParticle MovedParticle(SceneParticle p, double flightSpeed) {
  p = Moved(p, flightSpeed);
  p.AngleX = p.AngleX + p.SpinX;
  p.AngleY = p.AngleY + p.SpinY;
  p.Radius = p.Radius - p.Shrink;
  return p;
}

// A component above 0 loses its step and a drawn share of its jitter, down to 0.
float Cooled(float component, double step, double jitter, double draw) {
  return static_cast<float>(std::max(component - step - draw * jitter, 0.0));
}

}  // namespace

TEST(UpdateKnownAnswers, AShotMakesDebrisFlashAndLaserAndFreesTheMeteor) {
  // Slot 0 free, 1 the meteor in the corridor, 2 a second one (the guns are closed by
  // then), 3 and 4 free. Radius 1.25 makes round-half-even(2.5) = 2 pieces: slot 0,
  // reached already, waits; slot 3 moves and cools in this very frame.
  Scene scene = MakeScene(5, 4, 2, 0);
  ReadyToFire(scene, 1, 2, -70);
  scene.FlightSpeed = 13.5;
  scene.SceneClock = 4.4;
  scene.CruiseFrame = 500;
  for (int slot : {0, 3, 4}) scene.Particles[slot] = LeftoverSlot(5.5 + slot);
  SceneParticle& target = PlaceMeteor(scene, 1, 3.1, 1.6, -400, 1.25);
  target.VX = 0.5;
  target.VY = -0.25;
  target.VZ = 1.5;
  target.SpinX = 2;
  PlaceMeteor(scene, 2, 0.5, 3, -300, 2).VZ = 1.25;
  const Scene before = scene;

  const std::vector<double> pieces = UglyDraws(2 * kDebrisPieceDraws, 0.4242);
  const std::vector<double> draws =
      Concat({{0.7707},                          // slot 0: Random(30) = 23, stays free
              pieces,                            // the burst
              {0.3111, 0.6222, 0.8333, 0.8461},  // slot 3 cools, Random(2) = 1: no smoke
              {0.5333},                          // slot 4: Random(30) = 16
              {0.4567}});                        // cruise: Random(100) = 45
  scene.Rng.ScriptDraws(draws);
  UpdateScene(scene);
  EXPECT_EQ(scene.Rng.ScriptedDrawsUsed(), draws.size());

  const SceneParticle hit = MovedParticle(before.Particles[1], 13.5);  // (3.6, 1.35, -385)
  const SpawnInputs in{4.4, 13.5};
  EXPECT_EQ(scene.ShotCooldown, 5);
  EXPECT_EQ(scene.ShotX, hit.X);
  EXPECT_EQ(scene.ShotY, hit.Y);
  EXPECT_EQ(scene.ShotZ, hit.Z);
  EXPECT_EQ(scene.Particles[1].Alive, 0);
  EXPECT_EQ(CountDebris(scene), 2);
  ExpectRecord(scene.Particles[0],
               ExpectedDebrisPiece(pieces, before.Particles[0], in, 2, hit.X, hit.Y, hit.Z),
               "piece before the meteor");
  SceneParticle late =
      MovedParticle(ExpectedDebrisPiece(std::span<const double>(pieces).subspan(kDebrisPieceDraws),
                                        before.Particles[3], in, 2, hit.X, hit.Y, hit.Z),
                    13.5);
  late.Red = Cooled(1, 0.01, 0.007, 0.3111);
  late.Green = Cooled(1, 0.02, 0.014, 0.6222);
  late.Blue = Cooled(1, 0.03, 0.02, 0.8333);
  ExpectRecord(scene.Particles[3], late, "piece after the meteor");
  ExpectRecord(scene.Particles[2], MovedParticle(before.Particles[2], 13.5), "second meteor");
  ExpectRecord(scene.Particles[4], before.Particles[4], "free slot");
  // The flash is born at the shot point and has its first update in the same frame.
  ExpectRecord(scene.Flashes[0], {1, hit.X, hit.Y, (hit.Z + 0) + 13.5, 0, 0, 0, 2.5, 0.3 - 0.01, 0},
               "flash");
  EXPECT_EQ(scene.Flashes[1].Alive, 0);
  EXPECT_EQ(CountAlive(scene.SmokePuffs), 0);
}

TEST(UpdateKnownAnswers, DebrisCoolsPerComponentAndDropsAPuffOnItsTrail) {
  struct Colour {
    float Red, Green, Blue;
  };
  struct Case {
    const char* Name;
    Colour From;
    std::vector<double> Draws;  // one per component above 0, then Random(2)
    Colour To;
    bool Smoke;
  };
  const Case cases[] = {
      {"all hot, blue runs out",
       {0.9f, 0.5f, 0.02f},
       {0.4131, 0.8627, 0.2719, 0.3089},
       {Cooled(0.9f, 0.01, 0.007, 0.4131), Cooled(0.5f, 0.02, 0.014, 0.8627), 0.0f},
       true},
      {"red gone",
       {0.0f, 0.5f, 0.3f},
       {0.6421, 0.1357, 0.7777},
       {0.0f, Cooled(0.5f, 0.02, 0.014, 0.6421), Cooled(0.3f, 0.03, 0.02, 0.1357)},
       false},
      {"only red left, reaching 0", {0.0125f, 0.0f, 0.0f}, {0.9012, 0.6001}, {0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    Scene scene = MakeScene(1, 3, 0, 0);
    HoldFlight(scene, 4.5);
    SpawnSmoke(scene, 0, 100, 100, -900, 0.25, 0, 0);  // slot 0 taken; the drop goes to 1
    SceneParticle& piece = PlaceDebris(scene, 0, 12.5, -40.25, -333);
    piece.VX = 0.75;
    piece.VY = -1.25;
    piece.VZ = -2.5;
    piece.TrailRadius = 6.5;
    piece.Red = c.From.Red;
    piece.Green = c.From.Green;
    piece.Blue = c.From.Blue;
    const Scene before = scene;
    scene.Rng.ScriptDraws(c.Draws);
    UpdateScene(scene);
    EXPECT_EQ(scene.Rng.ScriptedDrawsUsed(), c.Draws.size()) << c.Name;

    SceneParticle expected = MovedParticle(before.Particles[0], 4.5);
    expected.Red = c.To.Red;
    expected.Green = c.To.Green;
    expected.Blue = c.To.Blue;
    ExpectRecord(scene.Particles[0], expected, c.Name);
    ExpectRecord(scene.SmokePuffs[0], Moved(SmokePuff{1, 100, 100, -900, 0.25, 0, 0, 5.9}, 4.5),
                 c.Name);
    if (!c.Smoke) {
      EXPECT_EQ(CountAlive(scene.SmokePuffs), 1) << c.Name;
      continue;
    }
    // Dropped on a circle of TrailRadius round the moved piece, at angles that wander
    // with its position, then moved once by the smoke pass of the same frame.
    const double x = expected.X, y = expected.Y, z = expected.Z;
    const double s = (x + y + z) / 30, d = (x - y - z) / 30;
    SmokePuff dropped{1, x + 6.5 * std::sin(s), y + 6.5 * std::cos(s), z + 6.5 * std::sin(d)};
    dropped.VZ = -2.5;  // the piece's own
    dropped.Life = 6.0 - 0.1;
    ExpectRecord(scene.SmokePuffs[1], Moved(dropped, 4.5), c.Name);
  }
}

TEST(UpdateKnownAnswers, FlashesAndPuffsMoveGrowFadeAndEnd) {
  Scene scene = MakeScene(0, 2, 2, 0);
  HoldFlight(scene, 4.5);
  scene.SmokePuffs[0] = {1, 10, -20, -300, 0.75, -1.5, 2.25, 3.3, 0};
  scene.SmokePuffs[1] = {1, 10, -20, -300, 0, 0, 0, 0.05, 0};
  scene.Flashes[0] = {1, -50, 60, -700, 0.5, -0.25, 1.25, 7.5, 0.17, 0};
  scene.Flashes[1] = {1, -50, 60, -700, 0, 0, 0, 7.5, 0.004, 0};
  scene.Rng.ScriptDraws({});
  UpdateScene(scene);
  ExpectRecord(scene.SmokePuffs[0],
               {1, 10.75, -21.5, (-300 + 2.25) + 4.5, 0.75, -1.5, 2.25, 3.3 - 0.1, 0},
               "ageing puff");
  ExpectRecord(scene.Flashes[0],
               {1, -49.5, 59.75, (-700 + 1.25) + 4.5, 0.5, -0.25, 1.25, 8.5, 0.17 - 0.01, 0},
               "ageing flash");
  EXPECT_EQ(scene.SmokePuffs[1].Alive, 0);  // life used up
  EXPECT_EQ(scene.Flashes[1].Alive, 0);     // faded out
}

TEST(UpdateKnownAnswers, LightsDriftAFifthOfTheSpeedThenOneMayBeAdded) {
  const LightBeacon a{-120, 80, -300, {}, 0.1, 0.2, 0.3};
  const LightBeacon b{10, 20, 499, {}, 0.4, 0.5, 0.6};  // passes 500 this frame
  const LightBeacon c{0, -5, -1000, {}, 0.7, 0.8, 0.9};
  const LightBeacon d{3, 4, -50, {}, 0.15, 0.25, 0.35};
  auto drifted = [](LightBeacon light) {
    light.Z = light.Z + 7.5 / 5;
    return light;
  };
  // Random(100) = 73 adds nothing; = 0 adds one after the walk (Random(999), then R's).
  for (const std::vector<double>& draws :
       {std::vector<double>{0.731}, {0.0042, 0.3141, 0.5813, 0.1177, 0.2281, 0.9345}}) {
    Scene scene = MakeScene(0, 0, 0, 4);
    HoldFlight(scene, 7.5);
    scene.Lights = {a, b, c, d};
    scene.Rng.ScriptDraws(draws);
    UpdateScene(scene);
    EXPECT_EQ(scene.Rng.ScriptedDrawsUsed(), draws.size());
    ASSERT_EQ(scene.Lights.size(), draws.size() == 1 ? 3u : 4u);
    ExpectRecord(scene.Lights[0], drifted(a), "first");
    ExpectRecord(scene.Lights[1], d, "last, moved into the retired one's index, not advanced");
    ExpectRecord(scene.Lights[2], drifted(c), "third");
    if (draws.size() > 1) {
      EXPECT_EQ(scene.Lights[3].Z, -2250.0);
      EXPECT_EQ(scene.Lights[3].X, std::sin(313) * (0.5813 * 500 + 200));
      EXPECT_EQ(scene.Lights[3].Blue, 0.9345);
    }
  }
}

TEST(UpdateKnownAnswers, CruiseStepsTheFlightThenMayStartAManoeuvre) {
  struct Case {
    int32_t CruiseFrame;
    double CruiseClock;
    std::vector<double> Draws;  // Random(100), then Random(2) and Random(4) on a 0
    uint8_t Mode, Variant;
    double Angle;
  };
  const Case cases[] = {
      {1234, 3.7, {0.4567}, kCruise, 2, 77},
      {2147483647, 0.0, {0.0042, 0.8123, 0.3377}, kRollManoeuvre, 1, 0},  // CruiseFrame wraps
      {-777, 12.5, {0.0099, 0.4444, 0.9191}, kLoopManoeuvre, 3, 0},
  };
  for (const Case& c : cases) {
    Scene scene = MakeScene(0, 0, 0, 0);
    scene.CruiseFrame = c.CruiseFrame;
    scene.CruiseClock = c.CruiseClock;
    scene.FrameCounter = 41;
    scene.ShotCooldown = 3;
    scene.SceneClock = 7.3;
    scene.ManoeuvreVariant = 2;
    scene.ManoeuvreAngle = 77;
    scene.Rng.ScriptDraws(c.Draws);
    UpdateScene(scene);
    SCOPED_TRACE(c.CruiseFrame);
    EXPECT_EQ(scene.Rng.ScriptedDrawsUsed(), c.Draws.size());

    const auto frame = static_cast<int32_t>(static_cast<uint32_t>(c.CruiseFrame) + 1u);
    const double clock = c.CruiseClock + 0.1;
    EXPECT_EQ(scene.CruiseFrame, frame);
    EXPECT_EQ(scene.FlightSpeed, std::sin(frame / 100.0) * 10 + 15);
    EXPECT_EQ(scene.CruiseClock, clock);
    EXPECT_EQ(scene.UpX, std::sin(std::cos(frame / 300.0) * 4) * 4);
    EXPECT_EQ(scene.UpY, std::cos(std::cos(frame / 300.0) * 4) * 4);
    EXPECT_EQ(scene.ShipX, std::sin(clock / 5.7) * 4);
    EXPECT_EQ(scene.ShipY, std::sin(clock / 8.3) * 4);
    EXPECT_EQ(scene.ShipZ, std::sin(clock / 24.2) * 55 - 70);
    EXPECT_EQ(scene.FlightMode, c.Mode);
    EXPECT_EQ(scene.ManoeuvreVariant, c.Variant);
    EXPECT_EQ(scene.ManoeuvreAngle, c.Angle);
    // The frame's own counters.
    EXPECT_EQ(scene.FrameCounter, 42);
    EXPECT_EQ(scene.ShotCooldown, 2);
    EXPECT_EQ(scene.SceneClock, 7.3 + 0.1);
  }
}

TEST(UpdateKnownAnswers, AManoeuvreTurnsThreeDegreesAFrameWithTheFlightFrozen) {
  struct Case {
    uint8_t Mode;
    double Angle, ExpectedAngle;
    uint8_t ExpectedMode;
  } cases[] = {{kLoopManoeuvre, 0, 3, kLoopManoeuvre},
               {kRollManoeuvre, 354, 357, kRollManoeuvre},
               {kLoopManoeuvre, 357, 360, kCruise},
               {kRollManoeuvre, 357, 360, kCruise},
               {9, 357, 357, 9}};  // not a flight mode: nothing moves
  for (const Case& c : cases) {
    Scene scene = MakeScene(0, 0, 0, 0);
    scene.FlightMode = c.Mode;
    scene.ManoeuvreAngle = c.Angle;
    scene.FlightSpeed = 12.5;
    scene.UpX = 1.5;
    scene.UpY = -2.5;
    scene.ShipX = 3.25;
    scene.ShipZ = -60;
    scene.CruiseClock = 8.8;
    scene.CruiseFrame = 1000;
    const Scene before = scene;
    scene.Rng.ScriptDraws({});
    UpdateScene(scene);
    SCOPED_TRACE(c.Angle);
    EXPECT_EQ(scene.ManoeuvreAngle, c.ExpectedAngle);
    EXPECT_EQ(scene.FlightMode, c.ExpectedMode);
    EXPECT_EQ(scene.FlightSpeed, before.FlightSpeed);
    EXPECT_EQ(scene.UpX, before.UpX);
    EXPECT_EQ(scene.UpY, before.UpY);
    EXPECT_EQ(scene.ShipX, before.ShipX);
    EXPECT_EQ(scene.ShipZ, before.ShipZ);
    EXPECT_EQ(scene.CruiseClock, before.CruiseClock);
    EXPECT_EQ(scene.CruiseFrame, before.CruiseFrame);
  }
}

TEST(UpdateKnownAnswers, AFreeSlotRefilledOneInThirtyIsFromTheSideOneInTen) {
  struct Case {
    const char* Name;
    double KindDraw;  // Random(10)
    std::size_t SpawnDraws;
    SceneParticle (*Expected)(std::span<const double>, SceneParticle);
  } cases[] = {{"from the side", 0.0567, kFromSideDraws, ExpectedFromSide},
               {"ahead", 0.6049, kAheadDraws, ExpectedAhead}};
  for (const Case& c : cases) {
    Scene scene = MakeScene(2, 0, 0, 0);
    HoldFlight(scene, 4.5);
    scene.Particles[0] = LeftoverSlot(3.5);
    std::vector<double> spawn = UglyDraws(c.SpawnDraws, 0.2718);
    spawn[15] = 0.5;  // Random(40) of kind 0: not a giant; kind 1's Blue
    const std::vector<double> draws = Concat({{0.0213, c.KindDraw}, spawn, {0.9876}});
    scene.Rng.ScriptDraws(draws);
    UpdateScene(scene);
    EXPECT_EQ(scene.Rng.ScriptedDrawsUsed(), draws.size()) << c.Name;
    // Refilled, and not moved before the next frame.
    ExpectRecord(scene.Particles[0], c.Expected(spawn, LeftoverSlot(3.5)), c.Name);
    EXPECT_EQ(scene.Particles[1].Alive, 0) << c.Name;  // Random(30) = 29
  }
}

TEST(ShotCorridor, BoundsAreSummedLeftToRightAndIncludeTheEdge) {
  const auto rows = ReadTestTable("shot_corridor_edges.txt");
  ASSERT_EQ(rows.size(), 12u);
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 5u);
    const char axis = row[0][0];
    const int i = axis - 'x';
    ASSERT_TRUE(i >= 0 && i < 3) << row[0];
    const double radius = ParseDouble(row[2]);
    double shipAt[3] = {0, 0, -70}, meteorAt[3] = {0, 0, i == 2 ? -70.0 : -400.0};
    shipAt[i] = ParseDouble(row[1]);
    meteorAt[i] = ParseDouble(row[3]);
    Scene scene = MakeScene(1, 0, 1, 0);
    ReadyToFire(scene, shipAt[0], shipAt[1], shipAt[2]);
    PlaceMeteor(scene, 0, meteorAt[0], meteorAt[1], meteorAt[2], radius);
    UpdateScene(scene);
    EXPECT_EQ(scene.ShotCooldown == 5, row[4] == "yes")
        << axis << ": ship " << row[1] << ", radius " << row[2] << ", meteor " << row[3];
  }
}
