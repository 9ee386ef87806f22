// Hand-built scenes for the scene tests: pools of chosen lengths, objects placed where
// a case needs them, and a way to keep the flight from moving underneath a case.
#pragma once

#include <cstdint>

#include "scene/scene.h"

// Pools of the given lengths, all slots free, the generator seeded; the rest of the
// state as at process start.
inline Scene MakeScene(int32_t particles, int32_t smoke, int32_t flashes, int32_t lights,
                       uint64_t seed = 1) {
  Scene scene;
  scene.Particles.resize(particles);
  scene.SmokePuffs.resize(smoke);
  scene.Flashes.resize(flashes);
  scene.Config = {particles, smoke, flashes, lights};
  scene.Rng.Seed(seed);
  return scene;
}

// A FlightMode outside cruise and the two manoeuvres leaves the flight step idle, so
// the speed stays what the case set.
inline void HoldFlight(Scene& scene, double speed) {
  scene.FlightMode = 9;
  scene.FlightSpeed = speed;
}

// A motionless, non-spinning meteor.
inline SceneParticle& PlaceMeteor(Scene& scene, int32_t slot, double x, double y, double z,
                                  double radius) {
  SceneParticle& p = scene.Particles[slot];
  p = SceneParticle{};
  p.Alive = 1;
  p.IsMeteor = 1;
  p.X = x;
  p.Y = y;
  p.Z = z;
  p.Radius = radius;
  p.Slices = 5;
  p.Stacks = 5;
  return p;
}

// The ship cruising at (x, y, z) with the guns ready and the scene standing still.
inline void ReadyToFire(Scene& scene, double x, double y, double z) {
  scene.FlightMode = kCruise;
  scene.FlightSpeed = 0;
  scene.ShotCooldown = 0;
  scene.ShipX = x;
  scene.ShipY = y;
  scene.ShipZ = z;
}

template <typename Record>
int CountAlive(const std::vector<Record>& pool) {
  int count = 0;
  for (const Record& r : pool) count += r.Alive != 0;
  return count;
}

inline int CountDebris(const Scene& scene) {
  int count = 0;
  for (const SceneParticle& p : scene.Particles) count += p.Alive != 0 && p.IsMeteor == 0;
  return count;
}
