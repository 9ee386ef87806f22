// The spawners: meteors and sparks, debris bursts, smoke puffs, flashes and lights.
// Every random draw is taken in the order the steps are written, one statement each, so
// that a seed replays the same flight.
#include <algorithm>
#include <cmath>

#include "scene/scene.h"
#include "scene/scene_pools.h"

namespace {

// What every kind shares: a live, spinning, textured meteor of random size and facets.
void SpawnCommon(UniformRandom& rng, SceneParticle& p) {
  p.Alive = 1;
  p.AngleX = rng.R() * 360;
  p.AngleY = rng.R() * 360;
  p.SpinX = rng.R() * 8 - 4;
  p.SpinY = rng.R() * 8 - 4;
  p.IsMeteor = 1;
  p.Radius = rng.R() * 5 + 0.1;
  p.Shininess = rng.Random(127);
  p.Slices = rng.Random(5) + 3;
  p.Stacks = rng.Random(5) + 3;
}

double AcrossScene(UniformRandom& rng) {
  return rng.R() * SceneHalfWidth * 2 - SceneHalfWidth;
}

void SpawnAhead(UniformRandom& rng, SceneParticle& p) {
  p.X = AcrossScene(rng);
  p.Y = AcrossScene(rng);
  p.Z = rng.R() * 5 - SceneDepth;
  p.VX = 0;
  p.VY = 0;
  p.VZ = rng.R() + 1;
  p.Red = static_cast<float>(rng.R() / 8 + 0.7);
  p.Green = static_cast<float>(rng.R() / 8 + 0.7);
  p.Blue = static_cast<float>(rng.R() / 1.2);
  p.Shrink = 0;
  if (rng.Random(40) == 0) {
    // A giant; the spin is scaled so that big ones turn slowly.
    p.Radius = rng.R() * 60 + 10;
    p.SpinX = p.SpinX / (p.Radius / 20);
    p.SpinY = p.SpinY / (p.Radius / 20);
  }
  p.TrailRadius = rng.R() * 15;
}

void SpawnFromSide(UniformRandom& rng, SceneParticle& p) {
  p.X = -SceneHalfWidth + 0.1;
  p.Y = AcrossScene(rng);
  p.Z = -rng.R() * SceneDepth;
  p.VX = rng.R() * 5 + 1;
  p.VY = rng.R() * 4 - 2;
  p.VZ = rng.R() * 3 - 1;
  p.Red = static_cast<float>(rng.R());
  p.Green = static_cast<float>(rng.R());
  p.Blue = static_cast<float>(rng.R());
  p.Shrink = 0;
}

// On the ship's path as SceneClock would put the ship, holding still against the flow.
void SpawnAtShip(const Scene& scene, UniformRandom& rng, SceneParticle& p) {
  const double t = scene.SceneClock;
  p.X = std::sin(t / 5.7) * 4;
  p.Y = std::sin(t / 8.3) * 4;
  p.Z = std::sin(t / 24.2) * 55 - 70;
  p.VX = 0;
  p.VY = 0;
  p.VZ = rng.R() * 3 - scene.FlightSpeed;
  p.Red = static_cast<float>(rng.R() / 8 + 0.7);
  p.Green = static_cast<float>(rng.R() / 8 + 0.7);
  p.Blue = static_cast<float>(rng.R() / 1.2);
  p.Radius = rng.R() / 5 + 0.1;
  p.Shrink = rng.R() / 200 + 0.02;
}

// Turns a freshly spawned kind-2 spark into a white-hot piece of the burst.
void MakeDebrisPiece(Scene& scene, SceneParticle& p, int32_t count, double x, double y, double z) {
  UniformRandom& rng = scene.Rng;
  p.Radius = rng.R() * 4 + 2;
  p.X = (rng.R() - 0.5) * count / 10 + x;
  p.Y = (rng.R() - 0.5) * count / 10 + y;
  p.Z = (rng.R() - 0.5) * count / 10 + z;
  p.VX = rng.R() * 7 - 3.5;
  p.VY = rng.R() * 7 - 3.5;
  p.VZ = rng.R() * 7 - 3.5 - scene.FlightSpeed / 2;
  p.Shrink = rng.R() / 30 + 0.03;
  p.Red = 1;
  p.Green = 1;
  p.Blue = 1;
  p.IsMeteor = 0;
  p.Slices = 3;
  p.Stacks = 3;
}

// A smoke puff or a flash comes alive where it is told, moving as it is told.
template <typename Record>
void Launch(Record& r, uint8_t kind, double x, double y, double z, double vx, double vy,
            double vz) {
  r.Alive = 1;
  r.X = x;
  r.Y = y;
  r.Z = z;
  r.VX = vx;
  r.VY = vy;
  r.VZ = vz;
  r.Kind = kind;
}

}  // namespace

void SpawnParticle(Scene& scene, int32_t slot, SpawnKind kind) {
  if (slot < 0 || static_cast<std::size_t>(slot) >= scene.Particles.size()) return;
  if (kind != SpawnKind::Ahead && kind != SpawnKind::FromSide && kind != SpawnKind::AtShip) return;
  SceneParticle& p = scene.Particles[slot];
  SpawnCommon(scene.Rng, p);
  switch (kind) {
    case SpawnKind::Ahead:
      SpawnAhead(scene.Rng, p);
      break;
    case SpawnKind::FromSide:
      SpawnFromSide(scene.Rng, p);
      break;
    case SpawnKind::AtShip:
      SpawnAtShip(scene, scene.Rng, p);
      break;
  }
}

void SpawnDebris(Scene& scene, int32_t count, double x, double y, double z) {
  // The meteor being shot is still alive here, so its own slot is never taken.
  int32_t made = 0;
  const auto length = static_cast<int32_t>(scene.Particles.size());
  for (int32_t i = 0; i < length && made < count; ++i) {
    if (scene.Particles[i].Alive == 1) continue;
    ++made;
    SpawnParticle(scene, i, SpawnKind::AtShip);
    MakeDebrisPiece(scene, scene.Particles[i], count, x, y, z);
  }
}

void SpawnSmoke(Scene& scene, uint8_t kind, double x, double y, double z, double vx, double vy,
                double vz) {
  int32_t from = 0;
  SpawnSmokeFrom(scene, from, kind, x, y, z, vx, vy, vz);
}

void SpawnSmokeFrom(Scene& scene, int32_t& searchFrom, uint8_t kind, double x, double y, double z,
                    double vx, double vy, double vz) {
  const int32_t slot = FirstFreeSlot(scene.SmokePuffs, searchFrom);
  if (slot == kNoFreeSlot) {
    searchFrom = static_cast<int32_t>(scene.SmokePuffs.size());
    return;
  }
  searchFrom = slot + 1;
  SmokePuff& puff = scene.SmokePuffs[slot];
  Launch(puff, kind, x, y, z, vx, vy, vz);
  puff.Life = 6.0;
}

void SpawnFlash(Scene& scene, uint8_t kind, double x, double y, double z, double vx, double vy,
                double vz) {
  const int32_t slot = FirstFreeSlot(scene.Flashes, 0);
  if (slot == kNoFreeSlot) return;
  ExplosionFlash& flash = scene.Flashes[slot];
  Launch(flash, kind, x, y, z, vx, vy, vz);
  flash.Radius = 1.5;
  flash.Alpha = 0.3;
}

void SpawnLight(Scene& scene) {
  const auto limit = static_cast<std::size_t>(std::max(scene.Config.LightCount, 0));
  if (scene.Lights.size() >= limit) return;
  UniformRandom& rng = scene.Rng;
  // An integer used directly as radians: 999 scattered directions round the circle.
  const int32_t angle = rng.Random(999);
  LightBeacon& light = scene.Lights.emplace_back();
  const double distance = rng.R() * 500 + 200;
  light.X = std::sin(angle) * distance;
  light.Y = std::cos(angle) * distance;
  light.Z = -SceneDepth * 1.5;
  // Aim straight at the z axis.
  light.Dir = {static_cast<float>(-light.X), static_cast<float>(-light.Y), 0.0f};
  Normalize(light.Dir);
  light.Red = rng.R();
  light.Green = rng.R();
  light.Blue = rng.R();
}
