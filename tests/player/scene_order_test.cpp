// The shuffled order: every scene once a round, scene 0 first, scenes drawn
// over the previous one kept after it; the same under the same seed, in the
// scene loop too; the stored order when the extension is not read.
#include "player/scene_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "package/package_reader.h"
#include "package/package_writer.h"
#include "support/package_builder.h"
#include "support/show_harness.h"
#include "support/text_codec.h"

namespace showsaver {
namespace {

using test::PackageBuilder;

// Scenes of the given OverPrevious flags.
std::vector<SceneRecord> scenes_with(const std::vector<int>& over_previous) {
  std::vector<SceneRecord> scenes(over_previous.size());
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    scenes[i].OverPrevious = static_cast<std::int16_t>(over_previous[i]);
  }
  return scenes;
}

// Fails unless `round` holds each scene once, starts with 0 and keeps every
// scene drawn over the previous one right after the scene before it.
void expect_valid_round(const std::vector<std::int32_t>& round,
                        const std::vector<SceneRecord>& scenes) {
  std::vector<std::int32_t> sorted = round;
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::int32_t> all(scenes.size());
  std::iota(all.begin(), all.end(), 0);
  ASSERT_EQ(sorted, all) << testing::PrintToString(round);
  EXPECT_EQ(round.front(), 0);
  for (std::size_t at = 1; at < round.size(); ++at) {
    const std::int32_t scene = round[at];
    if (scene > 0 && scenes[static_cast<std::size_t>(scene)].OverPrevious != 0) {
      EXPECT_EQ(round[at - 1], scene - 1) << testing::PrintToString(round);
    }
  }
}

TEST(ShuffledOrder, EveryRoundPlaysEachSceneOnceAndKeepsOverPreviousInPlace) {
  const std::vector<std::vector<int>> shapes = {
      {0},
      {0, 0},
      {0, 0, 0, 0, 0, 0, 0, 0},
      {0, -1, 0, 0, 1, -1, 0, 0, -1},  // a group after scene 0, a run of three
      {-1, 0, -1, -1, 0},              // scene 0's own flag lies over the round before
  };
  for (const auto& shape : shapes) {
    const std::vector<SceneRecord> scenes = scenes_with(shape);
    SeededRandom random(12345);
    std::set<std::vector<std::int32_t>> seen;
    for (int round = 0; round < 40; ++round) {
      const std::vector<std::int32_t> order = shuffled_round(scenes, random);
      expect_valid_round(order, scenes);
      seen.insert(order);
    }
    // With three movable groups or more (six orders or more), the rounds
    // are not all alike.
    const auto groups = std::count(shape.begin() + 1, shape.end(), 0);
    if (groups >= 3) {
      EXPECT_GT(seen.size(), 3u) << testing::PrintToString(shape);
    }
  }
}

TEST(ShuffledOrder, RoundsFollowOneAnotherFromTheSameSeedAlike) {
  const std::vector<SceneRecord> scenes = scenes_with({0, 0, -1, 0, 0, 0});
  ShuffledRounds first(scenes, 99);
  ShuffledRounds second(scenes, 99);
  ShuffledRounds other(scenes, 100);
  std::vector<std::int32_t> a, b, c;
  for (int step = 0; step < 60; ++step) {
    a.push_back(first.next());
    b.push_back(second.next());
    c.push_back(other.next());
  }
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  // Every sixth step starts a new round at scene 0 (the show starts on it).
  for (std::size_t at = 5; at < a.size(); at += 6) EXPECT_EQ(a[at], 0) << at;
  // Each round is shuffled anew, not the first one's order again.
  std::set<std::vector<std::int32_t>> rounds;
  for (std::size_t at = 5; at + 6 <= a.size(); at += 6)
    rounds.emplace(a.begin() + at, a.begin() + at + 6);
  EXPECT_GT(rounds.size(), 3u) << testing::PrintToString(a);
}

// Six scenes, the fourth drawn over the third; shuffled by the extension,
// and the second's transition out a fade whose fallback is effect 5.
ShowPackage shuffled_show() {
  PackageBuilder builder(32, 24);
  for (int i = 0; i < 6; ++i) {
    builder.scene("s" + std::to_string(i), test::bmp_file(test::solid_image(32, 24, 0x111111 * i)))
        .display_time(100);
    if (i == 3) builder.over_previous();
    if (i == 1) builder.effect(5);
  }
  ShowPackage package = builder.build();
  package.Extension = ShowExtension{{OrderRecord{ShowOrder::Shuffle}, FadeRecord{1, 400}}};
  return package;
}

// The scenes shown, from the first, through `transitions` transitions.
std::vector<std::int32_t> scenes_played(const ShowPackage& package, int transitions,
                                        std::vector<std::int32_t>* effects = nullptr) {
  test::ShowOptions options;
  options.key_after_transitions = transitions;
  test::ShowRun show(package, options);
  show.run();
  std::vector<std::int32_t> played{0};
  for (const auto& transition : show.transitions()) {
    played.push_back(transition.incoming);
    if (effects) effects->push_back(transition.effect);
  }
  return played;
}

TEST(ShuffledOrder, TheSceneLoopPlaysShuffledRoundsTheSameUnderTheSameTicks) {
  const std::vector<std::int32_t> played = scenes_played(shuffled_show(), 18);
  ASSERT_EQ(played.size(), 19u);
  const ShowPackage package = shuffled_show();
  const std::vector<SceneRecord>& scenes = *package.Scenes;
  for (std::size_t start = 0; start + 6 <= played.size(); start += 6) {
    expect_valid_round(
        {played.begin() + std::ptrdiff_t(start), played.begin() + std::ptrdiff_t(start + 6)},
        scenes);
  }
  std::vector<std::int32_t> stored(6);
  std::iota(stored.begin(), stored.end(), 0);
  EXPECT_NE(std::vector<std::int32_t>(played.begin(), played.begin() + 6), stored);
  EXPECT_EQ(scenes_played(shuffled_show(), 18), played);
}

TEST(ShuffledOrder, ReadWithoutTheExtensionTheShowPlaysInStoredOrderWithItsFallbacks) {
  const auto block = write_package_block(shuffled_show(), test::text_codec()).bytes;
  const PackageReadResult read =
      read_show_package(block, test::text_codec(), {.read_extension = false});
  ASSERT_TRUE(read.ok()) << read.error->message();
  std::vector<std::int32_t> effects;
  const std::vector<std::int32_t> played = scenes_played(read.package, 7, &effects);
  EXPECT_EQ(played, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 0, 1}));
  EXPECT_EQ(effects[1], 5);  // out of scene 1: the fallback stored for the fade
}

}  // namespace
}  // namespace showsaver
