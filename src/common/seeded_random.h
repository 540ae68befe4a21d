// A small generator with a fully specified sequence (SplitMix64), so that a
// seed gives the same values on every platform and compiler: the shuffled
// show order and the pan-and-zoom paths draw from it.
#pragma once

#include <cstdint>

namespace showsaver {

class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  // A value in [0, bound), bound above 0.  The bias of a 64-bit value taken
  // modulo a small bound is far below anything a viewer could notice.
  std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }

 private:
  std::uint64_t state_;
};

}  // namespace showsaver
