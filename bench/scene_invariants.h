// What a scene must never show, however long it flies: every value finite; positions,
// speeds, sizes and colours within the ranges the spawners give (and the update keeps);
// pools at the lengths the settings gave and no more lights than the light count; clocks
// and angles small enough that their steps are still resolved. Used by the long soak
// (bench/soak.sh) and by a short flight in the unit tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "scene/scene.h"

// The first promise the scene breaks, named with the object, field and value; empty when it
// keeps all of them. `step` is the number of updates since InitScene (the flight speed is
// 0 until the first one).
std::string FirstBrokenInvariant(const Scene& scene, int64_t step);

// A quantity that grows with the flight instead of staying in a range, and how far its steps
// are still resolved: the spacing of doubles at its value divided by its step per update.
// Above 1e-6 the step is no longer kept to six digits.
struct GrowingQuantity {
  const char* Name;
  double Value;
  double Step;
  double Resolution;  // spacing of doubles at Value, divided by Step
};

// The clocks that only grow, SceneClock and CruiseClock. (Whatever multiplies a clock, such
// as the flames' flicker, scales value and step alike and keeps the same resolution.)
std::array<GrowingQuantity, 2> GrowingQuantities(const Scene& scene);
