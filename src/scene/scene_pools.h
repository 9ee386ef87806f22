// Internal helpers shared by the spawners and the frame step (not part of the scene's
// public face).
#pragma once

#include <cstdint>
#include <vector>

#include "scene/scene.h"

inline constexpr int32_t kNoFreeSlot = -1;

// The lowest free slot at or after `from`, or kNoFreeSlot.
template <typename Record>
int32_t FirstFreeSlot(const std::vector<Record>& pool, int32_t from) {
  const auto length = static_cast<int32_t>(pool.size());
  for (int32_t i = from; i < length; ++i) {
    if (pool[i].Alive == 0) return i;
  }
  return kNoFreeSlot;
}

// SpawnSmoke with a moving search start. The caller promises that every slot below
// searchFrom is alive; the call keeps that promise true for the next one. The frame
// step uses it while no puff can end (the particle pass), so a frame full of debris
// walks the smoke pool once instead of once per puff, with the same slots chosen.
void SpawnSmokeFrom(Scene& scene, int32_t& searchFrom, uint8_t kind, double x, double y, double z,
                    double vx, double vy, double vz);
