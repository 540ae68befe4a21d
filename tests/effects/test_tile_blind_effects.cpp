// Effects 3, 4 and 9: random tiles, blinds and the spiral.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "effect_harness.h"

namespace showsaver::effects_test {
namespace {

using Tile = std::pair<int, int>;  // column, row

// The tile each frame copied, for 51-pixel tiles; fails on any other copy.
std::vector<Tile> tile_order(const EffectRecord& record) {
  std::vector<Tile> order;
  for (const auto& frame : record.frame_calls) {
    EXPECT_EQ(frame.size(), 1u);
    const GdiCall& copy = frame.at(0);
    EXPECT_EQ(copy.width, 51);
    EXPECT_EQ(copy.height, 51);
    EXPECT_EQ(record.surfaces.name(copy.source), "in");
    EXPECT_EQ(copy.source_x, copy.x);
    EXPECT_EQ(copy.source_y, copy.y);
    EXPECT_EQ(copy.x % 51, 0);
    EXPECT_EQ(copy.y % 51, 0);
    order.emplace_back(copy.x / 51, copy.y / 51);
  }
  return order;
}

void expect_every_tile_once(const std::vector<Tile>& order) {
  ASSERT_EQ(order.size(), 25u);
  const std::set<Tile> distinct(order.begin(), order.end());
  EXPECT_EQ(distinct.size(), 25u);
  for (const auto& [column, row] : order) {
    EXPECT_TRUE(column >= 0 && column < 5 && row >= 0 && row < 5);
  }
}

TEST(SpiralTiles, WalksClockwiseFromTheTopLeftToTheCentre) {
  const std::vector<Tile> expected{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {4, 2},
                                   {4, 3}, {4, 4}, {3, 4}, {2, 4}, {1, 4}, {0, 4}, {0, 3},
                                   {0, 2}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {3, 2}, {3, 3},
                                   {2, 3}, {1, 3}, {1, 2}, {2, 2}};
  EXPECT_EQ(tile_order(run(9, 250, 250)), expected);
}

TEST(SpiralTiles, TilesAreAFifthPlusOnePixel) {
  const EffectRecord record = run(9, 250, 250);
  EXPECT_EQ(record.frames[4][0], "copy in 204,0 51x51 <- 204,0");
  EXPECT_EQ(record.frames[8][0], "copy in 204,204 51x51 <- 204,204");
}

TEST(RandomTiles, EachFrameRevealsOneNewTile) {
  expect_every_tile_once(tile_order(run(3, 250, 250)));
}

TEST(RandomTiles, EachTransitionContinuesTheSequenceAndEveryRunRepeatsIt) {
  RunSetup setup;
  setup.width = 250;
  setup.height = 250;
  EffectRandom program_generator;
  const std::vector<Tile> first = tile_order(record_effect(3, setup, program_generator));
  const std::vector<Tile> second = tile_order(record_effect(3, setup, program_generator));
  expect_every_tile_once(second);
  EXPECT_NE(first, second);
  EffectRandom next_run_generator;
  EXPECT_EQ(tile_order(record_effect(3, setup, next_run_generator)), first);
  EXPECT_EQ(tile_order(record_effect(3, setup, next_run_generator)), second);
}

TEST(RandomTiles, DrawsRowThenColumnFromTheGeneratorAndRedrawsBothOnARepeat) {
  // The program's generator starts 0.0827, 0.0097, 0.7931, 0.9748, 0.1127,
  // 0.6441: the row comes from the first value of a pair, the column from
  // the second, so the first tiles are (row 0, column 0), (4, 3), (3, 0).
  const EffectRecord record = run(3, 250, 250);
  ASSERT_GE(record.frames.size(), 3u);
  EXPECT_EQ(record.frames[0], std::vector<std::string>{"copy in 0,0 51x51 <- 0,0"});
  EXPECT_EQ(record.frames[1], std::vector<std::string>{"copy in 153,204 51x51 <- 153,204"});
  EXPECT_EQ(record.frames[2], std::vector<std::string>{"copy in 0,153 51x51 <- 0,153"});
}

// The five strips of a blinds frame, band 0 first.
std::vector<std::string> strips(int offset, int band, int strip, int width) {
  std::vector<std::string> calls;
  for (int b = 0; b < 5; ++b) {
    const int y = offset + b * band;
    calls.push_back(strf("copy in 0,%d %dx%d <- 0,%d", y, width, strip, y));
  }
  return calls;
}

TEST(BlindsDown, FourEightyHighTakesTwentySixFramesOfFiveRowStrips) {
  const EffectRecord record = run(4, 640, 480);
  ASSERT_EQ(record.frames.size(), 26u);
  EXPECT_EQ(record.frames[0], strips(0, 96, 5, 640));
  EXPECT_EQ(record.frames[1], strips(4, 96, 5, 640));  // i = 3.8
  EXPECT_EQ(record.frames[25], strips(95, 96, 5, 640));
}

TEST(BlindsDown, TwoFiftyHighTakesThirtyFourFramesOfTwoRowStrips) {
  const EffectRecord record = run(4, 100, 250);
  ASSERT_EQ(record.frames.size(), 34u);
  EXPECT_EQ(record.frames[0], strips(0, 50, 2, 100));
  EXPECT_EQ(record.frames[33][0], "copy in 0,50 100x2 <- 0,50");  // i = 49.5
}

TEST(BlindsDown, SixHundredHighStepsFivePixelsToTheBandEnd) {
  const EffectRecord record = run(4, 100, 600);
  ASSERT_EQ(record.frames.size(), 25u);
  for (int k = 0; k < 25; ++k) EXPECT_EQ(record.frames[k], strips(5 * k, 120, 6, 100));
}

TEST(BlindsDown, OneHundredFiveHighCrawlsThroughFourHundredTwentyOneFrames) {
  const EffectRecord record = run(4, 10, 105);
  ASSERT_EQ(record.frames.size(), 421u);
  EXPECT_EQ(record.frames[0], strips(0, 21, 1, 10));
  EXPECT_EQ(record.frames[420], strips(21, 21, 1, 10));
}

TEST(BlindsDown, BandsUnderTwentyRowsHaveANegativeStepAndNoFrames) {
  for (const int height : {3, 50, 97}) {
    const EffectRecord record = run(4, 10, height);
    EXPECT_TRUE(record.frames.empty()) << height;
    EXPECT_EQ(record.final_calls, std::vector<std::string>{whole_copy("in", 10, height)});
  }
}

TEST(BlindsDown, TwentyRowBandsHaveAZeroStepAndMoveOneRowAFrame) {
  for (const int height : {98, 100, 102}) {
    const EffectRecord record = run(4, 10, height);
    ASSERT_EQ(record.frames.size(), 21u) << height;
    for (int k = 0; k <= 20; ++k) EXPECT_EQ(record.frames[k], strips(k, 20, 1, 10));
  }
}

}  // namespace
}  // namespace showsaver::effects_test
