#include "player/scene_order.h"

#include <utility>

namespace showsaver {

std::vector<std::int32_t> shuffled_round(std::span<const SceneRecord> scenes,
                                         SeededRandom& random) {
  // Groups of a scene and the scenes drawn over it, in stored order.
  std::vector<std::vector<std::int32_t>> groups;
  for (std::size_t index = 0; index < scenes.size(); ++index) {
    if (index == 0 || scenes[index].OverPrevious == 0) groups.emplace_back();
    groups.back().push_back(static_cast<std::int32_t>(index));
  }
  // Fisher-Yates over every group but scene 0's.
  for (std::size_t last = groups.size(); last > 2; --last) {
    const std::size_t pick = 1 + random.below(static_cast<std::uint32_t>(last - 1));
    std::swap(groups[last - 1], groups[pick]);
  }
  std::vector<std::int32_t> round;
  round.reserve(scenes.size());
  for (const auto& group : groups) round.insert(round.end(), group.begin(), group.end());
  return round;
}

ShuffledRounds::ShuffledRounds(std::span<const SceneRecord> scenes, std::uint64_t seed)
    : scenes_(scenes), random_(seed), round_(shuffled_round(scenes_, random_)) {}

std::int32_t ShuffledRounds::next() {
  if (position_ + 1 < round_.size()) return round_[++position_];
  round_ = shuffled_round(scenes_, random_);
  position_ = 0;
  return round_[0];
}

}  // namespace showsaver
