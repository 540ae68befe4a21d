// The friendlier forms a manifest accepts: times with units, effects by name.
#include <gtest/gtest.h>

#include <set>

#include "showpack/effect_names.h"
#include "showpack/manifest.h"
#include "showpack/progress.h"

namespace showsaver::showpack {
namespace {

TEST(ManifestValues, DurationsInMillisecondsOrSeconds) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"2500", 2500},
      {"2500ms", 2500},
      {"2.5s", 2500},
      {"3s", 3000},
      {"0.001s", 1},
      {"0s", 0},
      {"2147483.647s", 2147483647},
      {"2147483648", {}},
      {"2147483.648s", {}},
      {"1.0005s", {}},
      {"2.5ms", {}},
      {"2.5", {}},
      {"s", {}},
      {"-1s", {}},
      {"1 s", {}},
      {"1.s", {}},
      {"", {}},
      {"5min", {}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(parse_duration(text), expected) << text;
}

TEST(ManifestValues, EveryEffectHasOneDistinctName) {
  std::set<std::string_view> names;
  for (std::int32_t code = 0; code <= kLastEffect; ++code) {
    const std::string_view name = effect_name(code);
    ASSERT_FALSE(name.empty()) << code;
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_EQ(effect_code(name), code) << name;
  }
  EXPECT_EQ(effect_name(0), "cut");
  EXPECT_EQ(effect_code("wipe-left"), 19);
  EXPECT_EQ(effect_code("spiral-tiles"), 9);
  EXPECT_EQ(effect_name(30), "");
  EXPECT_EQ(effect_code("Wipe-Left"), std::nullopt);
}

TEST(ManifestValues, VariedEffectsUseAllAndNeverRepeatInARow) {
  for (const std::size_t count : {1u, 2u, 3u, 28u, 29u, 30u, 58u, 59u, 100u}) {
    const std::vector<std::int32_t> effects = varied_effects(count);
    ASSERT_EQ(effects.size(), count);
    EXPECT_EQ(effects, varied_effects(count)) << "not reproducible";
    for (std::size_t i = 0; i < count; ++i) {
      EXPECT_GE(effects[i], 1);
      EXPECT_LE(effects[i], kLastEffect);
      if (count > 1 && (i + 1 < count || count > 2)) {
        EXPECT_NE(effects[i], effects[(i + 1) % count]) << count << " scenes, at " << i;
      }
    }
    // Every effect once in each full run of 29.
    for (std::size_t start = 0; start + 29 <= count; start += 29) {
      const std::set<std::int32_t> run(effects.begin() + std::ptrdiff_t(start),
                                       effects.begin() + std::ptrdiff_t(start + 29));
      EXPECT_EQ(run.size(), 29u) << count << " scenes, from " << start;
    }
  }
}

TEST(ProgressBar, FillsInProportionAndNeverOverflows) {
  const std::pair<std::string, std::string> cases[] = {
      {progress_line("pictures", 0, 4, 8), "pictures [........] 0/4"},
      {progress_line("pictures", 3, 4, 8), "pictures [######..] 3/4"},
      {progress_line("pictures", 9, 4, 8), "pictures [########] 4/4"},
      {progress_line("frames", 12, 0, 8), "frames 12"},
  };
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace showsaver::showpack
