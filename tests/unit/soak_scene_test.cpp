// A million frames at the dialog's largest settings with the scene's promises checked
// after every one: pools keep their lengths, live objects are finite and inside the
// scene, lights stay within their count, the speed within 5..25, and no two shots come
// closer than five frames.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "scene/scene.h"

namespace {

constexpr Settings kDialogMaximum{2000, 2000, 300, 50};
constexpr int kFrames = 1'000'000;

// The checks below combine their conditions with '&' and branch once per live record:
// two thousand records a frame for a million frames must stay inside the time budget.
bool Inside(double x, double y, double z) {
  return (z <= 5) & (z >= -SceneDepth) & (x >= -SceneHalfWidth) & (x <= SceneHalfWidth) &
         (y >= -SceneHalfWidth) & (y <= SceneHalfWidth);
}

// A NaN or an infinity in any term makes the sum one too; the values here are far too
// small for a finite sum to overflow.
template <typename... Values>
bool Finite(Values... values) {
  return std::isfinite((static_cast<double>(values) + ...));
}

bool InUnitRange(float c) {
  return (c >= 0) & (c <= 1);
}

bool Sound(const SceneParticle& p) {
  return (p.Alive == 1) & Inside(p.X, p.Y, p.Z) & (p.Radius > 0) &
         Finite(p.VX, p.VY, p.VZ, p.AngleX, p.AngleY, p.SpinX, p.SpinY, p.TrailRadius, p.Shrink) &
         InUnitRange(p.Red) & InUnitRange(p.Green) & InUnitRange(p.Blue);
}

bool Sound(const SmokePuff& puff) {
  return Inside(puff.X, puff.Y, puff.Z) & (puff.Life > 0) & Finite(puff.VX, puff.VY, puff.VZ);
}

bool Sound(const ExplosionFlash& flash) {
  return Inside(flash.X, flash.Y, flash.Z) & (flash.Alpha > 0) &
         Finite(flash.VX, flash.VY, flash.VZ, flash.Radius);
}

// Every live record in bounds, finite and not yet due to end.
template <typename Record>
std::string CheckPool(const std::vector<Record>& pool, std::size_t length, const char* name) {
  if (pool.size() != length) return std::string(name) + " pool changed length";
  for (std::size_t i = 0; i < pool.size(); ++i) {
    if (pool[i].Alive != 0 && !Sound(pool[i])) {
      return std::string(name) + " in slot " + std::to_string(i) +
             " is out of bounds, due to end or not finite";
    }
  }
  return {};
}

std::string CheckLights(const Scene& s) {
  if (s.Lights.size() > 50u) return "more lights than the light count";
  for (const LightBeacon& light : s.Lights) {
    if (!Finite(light.X, light.Y, light.Z, light.Dir.X, light.Dir.Y, light.Red)) {
      return "light with a non-finite field";
    }
    if (light.Z > 500) return "light should have retired";
  }
  return {};
}

std::string CheckFlight(const Scene& s) {
  if (!(s.FlightSpeed >= 5 && s.FlightSpeed <= 25)) return "flight speed outside 5..25";
  if (s.FlightMode > 2 || s.ManoeuvreVariant > 3) return "unknown flight mode or variant";
  if (s.FlightMode != 0 && !(s.ManoeuvreAngle >= 0 && s.ManoeuvreAngle < 360)) {
    return "manoeuvre angle outside a turn";
  }
  if (s.ShotCooldown < 0 || s.ShotCooldown > 5) return "shot cooldown outside 0..5";
  return {};
}

}  // namespace

TEST(Soak, MillionFramesAtTheDialogMaximumKeepEveryPromise) {
  Scene scene;
  InitScene(scene, kDialogMaximum, 0x5EED);
  int lastShot = -1000;
  int shots = 0, framesWithDebris = 0, framesWithSmoke = 0;
  for (int frame = 1; frame <= kFrames; ++frame) {
    UpdateScene(scene);
    std::string problem = CheckFlight(scene);
    if (problem.empty()) problem = CheckPool(scene.Particles, 2000, "particle");
    if (problem.empty()) problem = CheckPool(scene.SmokePuffs, 2000, "smoke puff");
    if (problem.empty()) problem = CheckPool(scene.Flashes, 300, "flash");
    if (problem.empty()) problem = CheckLights(scene);
    if (scene.ShotCooldown == 5) {  // a shot in this very frame
      if (frame - lastShot < 5) problem = "two shots within five frames";
      lastShot = frame;
      ++shots;
    }
    ASSERT_TRUE(problem.empty()) << "frame " << frame << ": " << problem;
    if (frame % 1000 == 0) {
      for (const SceneParticle& p : scene.Particles) {
        if (p.Alive != 0 && p.IsMeteor == 0) {
          ++framesWithDebris;
          break;
        }
      }
      for (const SmokePuff& puff : scene.SmokePuffs) {
        if (puff.Alive != 0) {
          ++framesWithSmoke;
          break;
        }
      }
    }
  }
  // The run exercised what it checks: shots, debris, smoke.
  EXPECT_GT(shots, 10000);
  EXPECT_GT(framesWithDebris, 100);
  EXPECT_GT(framesWithSmoke, 100);
}
