// Scene start-up: the first meteors, the empty pools, the place of the renderer's hooks
// and what becomes of unusable pool settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "scene/scene.h"
#include "scene_fixtures.h"

TEST(InitScene, EveryParticleSlotIsAMeteorSpreadOverTheDepth) {
  Scene scene;
  InitScene(scene, {300, 40, 7, 5}, 11);
  ASSERT_EQ(scene.Particles.size(), 300u);
  double nearest = -1500;
  for (const SceneParticle& p : scene.Particles) {
    ASSERT_EQ(p.Alive, 1);
    ASSERT_EQ(p.IsMeteor, 1);
    ASSERT_EQ(p.Shrink, 0.0);
    ASSERT_TRUE(p.X >= -500 && p.X < 500 && p.Y >= -500 && p.Y < 500) << p.X << "," << p.Y;
    ASSERT_TRUE(p.Z > -1500 && p.Z <= 0) << p.Z;
    nearest = std::max(nearest, p.Z);
  }
  EXPECT_GT(nearest, -100.0);  // not bunched at the far end where new meteors appear
  EXPECT_EQ(scene.SmokePuffs.size(), 40u);
  EXPECT_EQ(scene.Flashes.size(), 7u);
  EXPECT_EQ(CountAlive(scene.SmokePuffs) + CountAlive(scene.Flashes), 0);
  EXPECT_TRUE(scene.Lights.empty());
  EXPECT_EQ(scene.FlightSpeed, 0.0);
  EXPECT_EQ(scene.FlightMode, kCruise);
  EXPECT_TRUE(scene.CruiseFrame >= 0 && scene.FrameCounter >= 0);
  EXPECT_NE(scene.CruiseFrame, scene.FrameCounter);
}

TEST(InitScene, HooksRunAtTheirPlaceAndChangeNoDraw) {
  Scene scene;
  int textureCalls = 0, stateCalls = 0;
  SceneInitHooks hooks;
  hooks.LoadTextures = [&] {
    ++textureCalls;
    EXPECT_EQ(scene.CruiseFrame, 0);  // before the first draw
    EXPECT_TRUE(scene.Particles.empty());
  };
  hooks.SetFixedRenderState = [&] {
    ++stateCalls;
    EXPECT_EQ(scene.Flashes.size(), 7u);  // after every pool
  };
  InitScene(scene, {300, 40, 7, 5}, 5, hooks);
  EXPECT_EQ(textureCalls, 1);
  EXPECT_EQ(stateCalls, 1);

  Scene plain;
  InitScene(plain, {300, 40, 7, 5}, 5);
  EXPECT_TRUE(plain.Rng == scene.Rng);
  EXPECT_EQ(plain.Particles[299].X, scene.Particles[299].X);
}

TEST(InitScene, NegativeCountsGiveEmptyPoolsThatRunQuietly) {
  Scene scene;
  InitScene(scene, {-1, -20, -3, -4}, 3);
  EXPECT_TRUE(scene.Particles.empty() && scene.SmokePuffs.empty() && scene.Flashes.empty());
  for (int i = 0; i < 200; ++i) UpdateScene(scene);
  EXPECT_TRUE(scene.Particles.empty());
  EXPECT_TRUE(scene.Lights.empty());
}

TEST(InitScene, PoolTooLargeToAllocateIsAnErrorNamingTheSetting) {
  constexpr int32_t kHuge = std::numeric_limits<int32_t>::max();
  const std::pair<Settings, std::string> cases[] = {
      {{kHuge, 10, 10, 5}, "Gwiazd"}, {{10, kHuge, 10, 5}, "Dym"}, {{10, 10, kHuge, 5}, "Wybuch"}};
  for (const auto& [settings, name] : cases) {
    Scene scene;
    try {
      InitScene(scene, settings, 1);
      ADD_FAILURE() << name << ": no error";
    } catch (const SceneError& error) {
      EXPECT_EQ(std::string(error.what()),
                "Cannot allocate the pool for \"" + name + "\" = 2147483647: not enough memory");
    }
  }
}
