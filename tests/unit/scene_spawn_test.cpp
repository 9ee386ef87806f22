// The spawners: where debris, smoke puffs and lights land, and what a full pool or a full
// light array does.
#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "scene_fixtures.h"
#include "scene_known_answers.h"

TEST(SpawnDebris, TakesTheLowestFreeSlotsAndSkipsLiveOnes) {
  Scene scene = MakeScene(8, 0, 0, 0, 8);
  PlaceMeteor(scene, 0, 0, 0, -300, 1);  // the one being shot
  PlaceMeteor(scene, 2, 100, 0, -300, 1);
  PlaceMeteor(scene, 3, 200, 0, -300, 1);
  scene.Particles[4].TrailRadius = 9.0;
  SpawnDebris(scene, 3, 10, 20, -300);
  for (int slot : {1, 4, 5}) {
    const SceneParticle& p = scene.Particles[slot];
    EXPECT_TRUE(p.Alive == 1 && p.IsMeteor == 0) << slot;
    EXPECT_EQ(p.Red, 1.0f) << slot;  // white hot
    // Inside a cube of half-size count / 20 round the centre.
    EXPECT_LE(std::abs(p.X - 10), 0.15) << slot;
  }
  EXPECT_EQ(scene.Particles[0].IsMeteor, 1);
  EXPECT_EQ(scene.Particles[6].Alive, 0);
  EXPECT_EQ(scene.Particles[4].TrailRadius, 9.0);  // a piece keeps its slot's trail
}

TEST(SpawnDebris, CountZeroMakesNothingAndTooManyFillEveryFreeSlot) {
  Scene scene = MakeScene(5, 0, 0, 0, 8);
  const UniformRandom before = scene.Rng;
  SpawnDebris(scene, 0, 0, 0, -100);
  EXPECT_EQ(CountAlive(scene.Particles), 0);
  EXPECT_TRUE(scene.Rng == before);

  PlaceMeteor(scene, 1, 0, 0, -100, 1);
  SpawnDebris(scene, 100, 0, 0, -100);
  EXPECT_EQ(CountDebris(scene), 4);
  EXPECT_EQ(scene.Particles[1].IsMeteor, 1);
}

TEST(SpawnSmoke, FillsTheLowestFreeSlotAndDropsWhenFull) {
  Scene scene = MakeScene(0, 3, 0, 0);
  for (double x : {1.0, 5.0, 8.0, 99.0}) SpawnSmoke(scene, 0, x, 0, -10, 0, 0, -4);
  EXPECT_EQ(scene.SmokePuffs[0].X, 1.0);
  EXPECT_EQ(scene.SmokePuffs[0].Life, 6.0);
  EXPECT_EQ(scene.SmokePuffs[2].X, 8.0);  // the fourth found the pool full

  scene.SmokePuffs[1].Alive = 0;
  SpawnSmoke(scene, 0, 42, 0, 0, 0, 0, 0);
  EXPECT_EQ(scene.SmokePuffs[1].X, 42.0);
}

TEST(SpawnLight, AppearsBeyondTheFarEndAimedAtTheAxis) {
  Scene scene = MakeScene(0, 0, 0, 200, 13);
  for (int i = 0; i < 200; ++i) SpawnLight(scene);
  ASSERT_EQ(scene.Lights.size(), 200u);
  for (const LightBeacon& light : scene.Lights) {
    EXPECT_EQ(light.Z, -2250.0);
    const double distance = std::hypot(light.X, light.Y);
    EXPECT_TRUE(distance >= 200 - 1e-9 && distance < 700 + 1e-9) << distance;
    EXPECT_NEAR(std::hypot(light.Dir.X, light.Dir.Y), 1.0, 1e-6);
    EXPECT_EQ(light.Dir.Z, 0.0f);
    EXPECT_LT(light.Dir.X * light.X + light.Dir.Y * light.Y, 0.0);  // towards the axis
  }
}

TEST(SpawnLight, StopsAtTheLightCountWithoutDrawing) {
  Scene scene = MakeScene(0, 0, 0, 1, 13);
  SpawnLight(scene);
  const UniformRandom before = scene.Rng;
  SpawnLight(scene);
  EXPECT_EQ(scene.Lights.size(), 1u);
  EXPECT_TRUE(scene.Rng == before);
}

// ---- known answers: every field from draws the test chooses ----------------------------

namespace {

constexpr SpawnInputs kInputs{12.7, 13.5};

// A three-slot pool of leftovers with the flight state of kInputs and these draws to come.
Scene LeftoverScene(std::vector<double> draws) {
  Scene scene = MakeScene(3, 0, 0, 0);
  for (int slot = 0; slot < 3; ++slot) scene.Particles[slot] = LeftoverSlot(6.5 + slot);
  scene.SceneClock = kInputs.SceneClock;
  scene.FlightSpeed = kInputs.FlightSpeed;
  scene.Rng.ScriptDraws(std::move(draws));
  return scene;
}

}  // namespace

TEST(SpawnParticleKnownAnswers, EachKindSetsEveryFieldFromItsOwnDraws) {
  // The common eight: angles, spins, radius, then Random(127), Random(5), Random(5).
  const std::vector<double> common = {0.137, 0.842, 0.291, 0.664, 0.518, 0.4321, 0.61, 0.23};
  struct Case {
    const char* Name;
    SpawnKind Kind;
    std::vector<double> Draws;
    SceneParticle (*Expected)(std::span<const double>, SceneParticle);
  };
  const Case cases[] = {
      {"ahead", SpawnKind::Ahead,
       Concat({common, {0.719, 0.083, 0.377, 0.905, 0.046, 0.958, 0.571, 0.5, 0.263}}),
       ExpectedAhead},
      // Random(40) = 0 makes a giant, whose spin is divided by a twentieth of its radius.
      {"giant", SpawnKind::Ahead,
       Concat({common, {0.719, 0.083, 0.377, 0.905, 0.046, 0.958, 0.571, 0.0123, 0.6789, 0.263}}),
       ExpectedAhead},
      {"from the side", SpawnKind::FromSide,
       Concat({common, {0.719, 0.083, 0.377, 0.905, 0.046, 0.958, 0.571, 0.354}}),
       ExpectedFromSide},
      {"at the ship", SpawnKind::AtShip,
       Concat({common, {0.719, 0.083, 0.377, 0.905, 0.046, 0.958}}),
       [](std::span<const double> d, SceneParticle slot) {
         return ExpectedAtShip(d, slot, kInputs);
       }},
  };
  for (const Case& c : cases) {
    Scene scene = LeftoverScene(c.Draws);
    SpawnParticle(scene, 1, c.Kind);
    ExpectRecord(scene.Particles[1], c.Expected(c.Draws, LeftoverSlot(7.5)), c.Name);
    EXPECT_EQ(scene.Rng.ScriptedDrawsUsed(), c.Draws.size()) << c.Name;
    EXPECT_EQ(scene.Particles[0].X, 77.25) << c.Name;  // the neighbours are left alone
    EXPECT_EQ(scene.Particles[2].Alive, 0) << c.Name;
  }
  // The giant really is one, and a big one turns slower than its drawn spin.
  const SceneParticle giant = ExpectedAhead(cases[1].Draws, {});
  EXPECT_EQ(giant.Radius, 0.6789 * 60 + 10);
  EXPECT_LT(std::abs(giant.SpinX), std::abs(0.291 * 8 - 4));
}

TEST(SpawnDebrisKnownAnswers, EachPieceIsASparkThenItsOwnEightDraws) {
  // Slots 0 and 2 are alive; the three pieces land in 1, 3 and 4, and 5 stays free.
  Scene scene = MakeScene(6, 0, 0, 0);
  for (int slot = 0; slot < 6; ++slot) scene.Particles[slot] = LeftoverSlot(1.5 + slot);
  scene.Particles[0].Alive = scene.Particles[2].Alive = 1;
  const Scene before = scene;
  scene.SceneClock = kInputs.SceneClock;
  scene.FlightSpeed = kInputs.FlightSpeed;
  const std::vector<double> draws = UglyDraws(3 * kDebrisPieceDraws);
  scene.Rng.ScriptDraws(draws);

  SpawnDebris(scene, 3, 40.5, -20.25, -610.0);

  const int pieceSlots[] = {1, 3, 4};
  for (int piece = 0; piece < 3; ++piece) {
    const int slot = pieceSlots[piece];
    const auto own = std::span<const double>(draws).subspan(piece * kDebrisPieceDraws);
    ExpectRecord(scene.Particles[slot],
                 ExpectedDebrisPiece(own, before.Particles[slot], kInputs, 3, 40.5, -20.25, -610.0),
                 "piece in slot " + std::to_string(slot));
  }
  EXPECT_EQ(scene.Rng.ScriptedDrawsUsed(), draws.size());
  for (int slot : {0, 2, 5}) {
    ExpectRecord(scene.Particles[slot], before.Particles[slot], "slot " + std::to_string(slot));
  }
}

TEST(SpawnKnownAnswers, SmokeAndFlashTakeTheirArgumentsAndDrawNothing) {
  Scene scene = MakeScene(0, 3, 3, 0);
  scene.SmokePuffs[0].Alive = scene.Flashes[0].Alive = 1;
  scene.SmokePuffs[1].Life = scene.Flashes[1].Alpha = 9.5;  // leftovers, overwritten
  scene.Flashes[1].Radius = 9.5;
  scene.Rng.ScriptDraws({});
  SpawnSmoke(scene, 1, 1.25, -2.5, -300.75, 0.5, -0.75, -3.25);
  SpawnFlash(scene, 1, -7.5, 8.25, -450.5, 1.75, -0.125, 2.5);
  ExpectRecord(scene.SmokePuffs[1], {1, 1.25, -2.5, -300.75, 0.5, -0.75, -3.25, 6.0, 1}, "puff");
  ExpectRecord(scene.Flashes[1], {1, -7.5, 8.25, -450.5, 1.75, -0.125, 2.5, 1.5, 0.3, 1}, "flash");
  EXPECT_EQ(CountAlive(scene.SmokePuffs) + CountAlive(scene.Flashes), 4);
}

TEST(SpawnKnownAnswers, LightTakesAnIntegerAngleADistanceAndThreeColours) {
  Scene scene = MakeScene(0, 0, 0, 3);
  scene.Lights.push_back({1, 2, 3, {0, 1, 0}, 0.5, 0.5, 0.5});
  const std::vector<double> draws = {0.3141, 0.5813, 0.1177, 0.2281, 0.9345};
  scene.Rng.ScriptDraws(draws);
  SpawnLight(scene);
  ASSERT_EQ(scene.Lights.size(), 2u);
  EXPECT_EQ(scene.Rng.ScriptedDrawsUsed(), draws.size());

  const int32_t angle = Pick(0.3141, 999);  // 313 radians
  const double distance = 0.5813 * 500 + 200;
  LightBeacon expected{
      std::sin(angle) * distance, std::cos(angle) * distance, -2250, {}, 0.1177, 0.2281, 0.9345};
  // Aimed at the axis: (-X, -Y, 0) in single precision, scaled by its length.
  const float dx = static_cast<float>(-expected.X), dy = static_cast<float>(-expected.Y);
  const double length = std::sqrt(double{dx} * dx + double{dy} * dy);
  expected.Dir = {static_cast<float>(dx / length), static_cast<float>(dy / length), 0.0f};
  ExpectRecord(scene.Lights[1], expected, "new light");
  ExpectRecord(scene.Lights[0], {1, 2, 3, {0, 1, 0}, 0.5, 0.5, 0.5}, "old light");
}
