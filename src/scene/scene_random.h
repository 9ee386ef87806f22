// The scene's one uniform random generator: xoshiro256** seeded through splitmix64.
// It is our own so that a seed gives the same flight on every platform and compiler.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class UniformRandom {
 public:
  using State = std::array<uint64_t, 4>;

  UniformRandom() { Seed(0); }
  explicit UniformRandom(uint64_t seed) { Seed(seed); }

  // Restarts the sequence; the same seed always gives the same sequence.
  void Seed(uint64_t seed);

  // R: a uniform double in [0, 1) built from the top 53 bits of one draw.
  double R() {
    if (scripted_) [[unlikely]]
      return NextScripted();
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
  }

  // Random(n): a uniform integer in 0 .. n-1 as floor(R * n); 0 when n <= 0.
  int32_t Random(int32_t n) {
    if (n <= 0) return 0;
    const auto value = static_cast<int32_t>(R() * n);  // truncation is floor for R >= 0
    return value < n ? value : n - 1;
  }

  // The raw 64-bit output (xoshiro256**); R and Random are built on it. Inline, since the
  // frame step draws for every free particle slot.
  uint64_t Next() {
    const uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
    const uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = RotateLeft(state_[3], 45);
    return result;
  }

  // The engine state, for known-answer checks of the algorithm and for comparing
  // generators (two generators with equal state produce equal sequences).
  const State& RawState() const { return state_; }
  void SetRawState(const State& state) { state_ = state; }

  // For known-answer tests: from now on R returns these values in turn instead of the
  // engine's (Random(n) stays floor(R * n), so an integer draw is chosen through its R).
  // Every value must lie in [0, 1), or std::invalid_argument. A draw past the last value
  // throws std::logic_error, so a path that draws more than the test expects fails loudly.
  // An empty list makes every draw fail: a path that must not draw at all.
  void ScriptDraws(std::vector<double> values);
  // The scripted values R has returned so far.
  std::size_t ScriptedDrawsUsed() const { return scriptUsed_; }

  friend bool operator==(const UniformRandom&, const UniformRandom&) = default;

 private:
  static uint64_t RotateLeft(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  double NextScripted();

  State state_{};
  // Off in every real run; a flag test keeps the production draw to one predictable branch.
  bool scripted_ = false;
  std::size_t scriptUsed_ = 0;
  std::vector<double> script_;
};

// One splitmix64 step: advances x and returns the next output. Used to spread a
// seed over the four state words (and handy for deriving seeds).
uint64_t SplitMix64(uint64_t& x);

// A seed from the clock, for runs that were not given one.
uint64_t SeedFromClock();
