// A million frames at the dialog's largest settings: the scene's invariants
// (bench/scene_invariants.h) hold at every hundredth frame, no two shots come closer than
// five frames, and the flight really shoots, bursts and smokes along the way. The week-long
// version of the same flight is bench/soak.sh.
#include <gtest/gtest.h>

#include "bench/scene_invariants.h"

namespace {

constexpr int kFrames = 1'000'000;

template <typename Record>
bool AnyAlive(const std::vector<Record>& pool, bool (*wanted)(const Record&)) {
  for (const Record& r : pool) {
    if (r.Alive != 0 && wanted(r)) return true;
  }
  return false;
}

}  // namespace

TEST(Soak, MillionFramesAtTheDialogMaximumKeepEveryPromise) {
  Scene scene;
  InitScene(scene, kDialogMaximumSettings, 0x5EED);
  int lastShot = -1000;
  int shots = 0, framesWithDebris = 0, framesWithSmoke = 0;
  for (int frame = 1; frame <= kFrames; ++frame) {
    UpdateScene(scene);
    if (scene.ShotCooldown == 5) {  // a shot in this very frame
      ASSERT_GE(frame - lastShot, 5) << "two shots within five frames, at frame " << frame;
      lastShot = frame;
      ++shots;
    }
    if (frame % 100 != 0) continue;
    ASSERT_EQ(FirstBrokenInvariant(scene, frame), "") << "frame " << frame;
    if (frame % 1000 != 0) continue;
    framesWithDebris += AnyAlive<SceneParticle>(
        scene.Particles, [](const SceneParticle& p) { return p.IsMeteor == 0; });
    framesWithSmoke += AnyAlive<SmokePuff>(scene.SmokePuffs, [](const SmokePuff&) { return true; });
  }
  // The run exercised what it checks: shots, debris, smoke.
  EXPECT_GT(shots, 10000);
  EXPECT_GT(framesWithDebris, 100);
  EXPECT_GT(framesWithSmoke, 100);
}
