// The order scenes play in each round: as stored, or shuffled.  A shuffled
// round starts with scene 0 (the show starts and each round ends on it, as
// it does unshuffled) and plays every other scene once; a scene drawn over
// the previous one (OverPrevious) keeps following the scene it lies over,
// so a run of such scenes moves as one group.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/seeded_random.h"
#include "package/show_package.h"

namespace showsaver {

// One shuffled round of the shown scenes `scenes` (SceneCount of them).
std::vector<std::int32_t> shuffled_round(std::span<const SceneRecord> scenes, SeededRandom& random);

// Shuffled rounds one after another, each drawn when the last is over.
class ShuffledRounds {
 public:
  // `scenes` are the shown scenes, one or more; `seed` picks the orders.
  ShuffledRounds(std::span<const SceneRecord> scenes, std::uint64_t seed);

  // The scene after the one on screen: the next of this round, else the
  // first of a new round, scene 0.
  std::int32_t next();

 private:
  std::span<const SceneRecord> scenes_;
  SeededRandom random_;
  std::vector<std::int32_t> round_;
  std::size_t position_ = 0;
};

}  // namespace showsaver
