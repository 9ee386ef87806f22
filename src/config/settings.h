// The four user settings: the sizes of the saver's object pools.
#pragma once

#include <cstdint>

struct Settings {
  int32_t MeteorCount = 0;     // particle slots (meteors and their debris)
  int32_t SmokeCount = 0;      // smoke-puff slots
  int32_t ExplosionCount = 0;  // explosion-flash slots
  int32_t LightCount = 0;      // most coloured lights at once
};

inline constexpr Settings kDefaultSettings{1500, 1500, 50, 15};
