// The friendlier forms a manifest accepts: times with units; and the
// transitions `showpack new` gives a folder's scenes.
#include <gtest/gtest.h>

#include <set>

#include "effects/effect_catalogue.h"
#include "showpack/manifest.h"
#include "showpack/progress.h"
#include "showpack/varied_effects.h"

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
