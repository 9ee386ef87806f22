// The spawners: where debris, smoke puffs and lights land, and what a full pool or a full
// light array does.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/scene.h"
#include "scene_fixtures.h"

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
