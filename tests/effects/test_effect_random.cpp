// The generator behind the random tiles: fixed start, uniform values in [0, 1).
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "effects/effect_random.h"

namespace showsaver {
namespace {

TEST(EffectRandom, DrawsExactSinglePrecisionValuesFromZeroUpToButNotOne) {
  EffectRandom random;
  for (int n = 0; n < 200000; ++n) {
    const float value = random.next();
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
    // Whole multiples of 2^-24 survive any single-precision product by 5.
    ASSERT_EQ(std::ldexp(value, 24), std::floor(std::ldexp(value, 24)));
  }
}

TEST(EffectRandom, EveryGeneratorStartsInTheSameState) {
  EffectRandom first;
  EffectRandom second;
  for (int n = 0; n < 1000; ++n) ASSERT_EQ(first.next(), second.next());
}

TEST(EffectRandom, TenthsAreEvenlyFilledAndPairsCoverTheTileGrid) {
  EffectRandom random;
  std::array<int, 10> tenths{};
  std::array<int, 25> tiles{};
  constexpr int kPairs = 100000;
  for (int n = 0; n < kPairs; ++n) {
    const float u1 = random.next();
    const float u2 = random.next();
    ++tenths[static_cast<std::size_t>(u1 * 10)];
    ++tenths[static_cast<std::size_t>(u2 * 10)];
    ++tiles[static_cast<std::size_t>(std::floor(u1 * 5.0) * 5 + std::floor(u2 * 5.0))];
  }
  for (const int count : tenths) EXPECT_NEAR(count, 2 * kPairs / 10, 2 * kPairs / 100);
  for (const int count : tiles) EXPECT_NEAR(count, kPairs / 25, kPairs / 250);
}

}  // namespace
}  // namespace showsaver
