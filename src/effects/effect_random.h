// The program's random number generator (used by effect 3).
#pragma once

#include <cstdint>

namespace showsaver {

// Uniformly distributed single-precision values in [0, 1) from a fixed
// initial state; never seeded, so every run draws the same sequence.  One
// instance lives for the whole run, so each transition continues the sequence
// where the previous one left it.
class EffectRandom {
 public:
  // The next value: a whole multiple of 2^-24, so every value is exact in
  // single precision and none rounds up to 1.
  float next();

 private:
  // A permuted congruential generator (PCG32, XSH-RR output) with fixed state
  // and stream.
  std::uint64_t state_ = 0x853C49E6748FEA9BULL;
  static constexpr std::uint64_t kIncrement = 0xDA3E39CB94B95BDBULL;
};

}  // namespace showsaver
