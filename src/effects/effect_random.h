// The program's random number generator (used by effect 3).
#pragma once

#include <cstdint>

namespace showsaver {

// Uniformly distributed single-precision values in [0, 1) from a fixed
// initial state; never seeded, so every run draws the same sequence.
class EffectRandom {
 public:
  float next();

 private:
  std::uint32_t state_ = 0x50000;
};

}  // namespace showsaver
