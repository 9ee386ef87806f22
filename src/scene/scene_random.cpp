// Seeding of the scene's random generator (xoshiro256**, after Blackman and Vigna) and
// the clock seed.
#include "scene/scene_random.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <utility>

uint64_t SplitMix64(uint64_t& x) {
  x += 0x9E3779B97F4A7C15ull;
  uint64_t z = x;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

void UniformRandom::Seed(uint64_t seed) {
  // splitmix64 gives four different words, so the state is never all zero (the one
  // state xoshiro cannot leave).
  for (uint64_t& word : state_) word = SplitMix64(seed);
}

uint64_t SeedFromClock() {
  // Wall time alone repeats when two instances start in the same tick; the steady
  // clock adds a second, unrelated source.
  uint64_t mix = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  const auto steady =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  mix ^= (steady << 32) | (steady >> 32);
  return SplitMix64(mix);
}

void UniformRandom::ScriptDraws(std::vector<double> values) {
  for (const double value : values) {
    if (!(value >= 0.0 && value < 1.0)) {
      throw std::invalid_argument("a scripted draw must lie in [0, 1), not " +
                                  std::to_string(value));
    }
  }
  script_ = std::move(values);
  scriptUsed_ = 0;
  scripted_ = true;
}

double UniformRandom::NextScripted() {
  if (scriptUsed_ >= script_.size()) {
    throw std::logic_error("random draw " + std::to_string(scriptUsed_ + 1) +
                           " asked for, but only " + std::to_string(script_.size()) +
                           " were scripted");
  }
  return script_[scriptUsed_++];
}
