// A show of every effect, round after round: each round leaves as many live
// drawing objects as the first did, so a transition that leaks a bitmap or a
// device context shows at once.  (How memory and time fare over 100,000
// transitions is bench/system/soak_bench.cpp's to print.)
#include <gtest/gtest.h>

#include <vector>

#include "support/every_effect_show.h"

namespace showsaver {
namespace {

TEST(LongShow, EveryRoundOfEveryEffectLeavesTheSameDrawingObjects) {
  constexpr int kRound = 30;  // one transition of each effect
  std::vector<std::size_t> live;
  const test::EveryEffectShowRun run = test::play_every_effect_show(
      4 * kRound, kRound,
      [&](int, ScriptedPlatform& scripted) { live.push_back(scripted.gdi.live_object_count()); });
  EXPECT_EQ(run.transitions, 4 * kRound);
  EXPECT_EQ(run.effects_missed, 0);
  EXPECT_EQ(run.message_boxes, 0u);
  EXPECT_FALSE(run.extraction_left_behind);
  ASSERT_EQ(live.size(), 4u);
  for (std::size_t round = 1; round < live.size(); ++round) {
    EXPECT_EQ(live[round], live[0]) << "after round " << round + 1;
  }
}

}  // namespace
}  // namespace showsaver
